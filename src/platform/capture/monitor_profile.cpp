#include "platform/capture/monitor_profile.h"

#include <lcms2.h>

#include <array>

#include "platform/capture/late_libraries.h"

namespace velmor {

namespace {

// clang-format off
#define LCMS_SYMBOLS(X)                                                                        \
    X(cmsBuildParametricToneCurve) X(cmsCloseProfile) X(cmsCreateRGBProfile)                   \
    X(cmsCreateTransform) X(cmsCreate_sRGBProfile) X(cmsDeleteTransform) X(cmsDoTransform)     \
    X(cmsFreeToneCurve) X(cmsGetColorSpace) X(cmsGetProfileInfoASCII) X(cmsMLUalloc)          \
    X(cmsMLUfree) X(cmsMLUsetASCII) X(cmsOpenProfileFromMem) X(cmsSaveProfileToMem)           \
    X(cmsWriteTag)
// clang-format on

struct Lcms {
    LCMS_SYMBOLS(VELMOR_LATE_SYMBOL)
};

// Little CMS, opened at the first profile: null where it is not installed,
// and then no profile is known.
const Lcms* LittleCms() {
    static const std::optional<Lcms> table = VELMOR_LOAD_LATE(Lcms, LCMS_SYMBOLS, "liblcms2.so.2");
    return table ? &*table : nullptr;
}

// The sRGB transfer curve as ICC type 4 parameters.
cmsToneCurve* SrgbCurve(const Lcms* lcms) {
    const cmsFloat64Number p[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    return lcms->cmsBuildParametricToneCurve(nullptr, 4, p);
}

cmsHPROFILE CreateDisplayP3(const Lcms* lcms) {
    const cmsCIExyY white = {0.3127, 0.3290, 1.0};  // D65
    const cmsCIExyYTRIPLE primaries = {
        {0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    cmsToneCurve* curve = SrgbCurve(lcms);
    std::array<cmsToneCurve*, 3> curves = {curve, curve, curve};
    cmsHPROFILE profile = lcms->cmsCreateRGBProfile(&white, &primaries, curves.data());
    lcms->cmsFreeToneCurve(curve);
    return profile;
}

// In floating point: the 16-bit pipeline's tables clip colours outside sRGB
// up to 11 code values away from the exact result.
cmsHTRANSFORM To(const Lcms* lcms, cmsHPROFILE from, cmsHPROFILE to) {
    return lcms->cmsCreateTransform(from, TYPE_RGB_DBL, to, TYPE_RGB_DBL,
                                    INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
}

}  // namespace

std::shared_ptr<const MonitorProfile> MonitorProfile::FromIcc(const QByteArray& icc,
                                                              QString* problem) {
    const auto fail = [problem](const QString& why) {
        if (problem != nullptr) *problem = why;
        return nullptr;
    };
    if (icc.isEmpty()) return nullptr;
    const Lcms* lcms = LittleCms();
    if (lcms == nullptr) {
        return fail(
            QStringLiteral("the monitor has a color profile, but Little CMS (liblcms2) "
                           "is not installed to apply it"));
    }
    cmsHPROFILE monitor =
        lcms->cmsOpenProfileFromMem(icc.constData(), static_cast<cmsUInt32Number>(icc.size()));
    if (monitor == nullptr) {
        return fail(QStringLiteral("the monitor's color profile cannot be read (%1 bytes, "
                                   "damaged or cut short)")
                        .arg(icc.size()));
    }
    if (const cmsColorSpaceSignature space = lcms->cmsGetColorSpace(monitor);
        space != cmsSigRgbData) {
        lcms->cmsCloseProfile(monitor);
        const char code[] = {char(space >> 24), char(space >> 16), char(space >> 8), char(space),
                             0};
        return fail(QStringLiteral("the monitor's color profile is for %1 colors, not RGB")
                        .arg(QString::fromLatin1(code).trimmed()));
    }
    std::shared_ptr<MonitorProfile> profile(new MonitorProfile);
    cmsHPROFILE srgb = lcms->cmsCreate_sRGBProfile();
    cmsHPROFILE p3 = CreateDisplayP3(lcms);
    profile->toSrgb_ = To(lcms, monitor, srgb);
    profile->toDisplayP3_ = To(lcms, monitor, p3);
    char name[256] = {};
    lcms->cmsGetProfileInfoASCII(monitor, cmsInfoDescription, "en", "US", name, sizeof name);
    profile->description_ = QString::fromLatin1(name);
    lcms->cmsCloseProfile(p3);
    lcms->cmsCloseProfile(srgb);
    lcms->cmsCloseProfile(monitor);
    if (profile->toSrgb_ == nullptr || profile->toDisplayP3_ == nullptr) {
        return fail(QStringLiteral("the monitor's color profile cannot be converted to sRGB"));
    }
    return profile;
}

MonitorProfile::~MonitorProfile() {
    const Lcms* lcms = LittleCms();  // there is no profile without it
    if (toSrgb_ != nullptr) lcms->cmsDeleteTransform(toSrgb_);
    if (toDisplayP3_ != nullptr) lcms->cmsDeleteTransform(toDisplayP3_);
}

Color MonitorProfile::Apply(void* transform, const Color& c) const {
    const std::array<double, 3> in = {c.red / 65535.0, c.green / 65535.0, c.blue / 65535.0};
    std::array<double, 3> out{};
    const Lcms* lcms = LittleCms();
    lcms->cmsDoTransform(transform, in.data(), out.data(), 1);
    return Color::FromUnit(out[0], out[1], out[2]);  // clipped to the sRGB cube
}

Color MonitorProfile::ToSrgb(const Color& screen) const {
    return Apply(toSrgb_, screen);
}

Color MonitorProfile::ToDisplayP3(const Color& screen) const {
    return Apply(toDisplayP3_, screen);
}

QByteArray DisplayP3Icc() {
    const Lcms* lcms = LittleCms();
    if (lcms == nullptr) return {};
    cmsHPROFILE p3 = CreateDisplayP3(lcms);
    cmsMLU* text = lcms->cmsMLUalloc(nullptr, 1);
    lcms->cmsMLUsetASCII(text, "en", "US", "Display P3");
    lcms->cmsWriteTag(p3, cmsSigProfileDescriptionTag, text);
    lcms->cmsMLUfree(text);
    cmsUInt32Number size = 0;
    lcms->cmsSaveProfileToMem(p3, nullptr, &size);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    lcms->cmsSaveProfileToMem(p3, bytes.data(), &size);
    lcms->cmsCloseProfile(p3);
    return bytes;
}

}  // namespace velmor
