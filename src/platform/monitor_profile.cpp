#include "platform/monitor_profile.h"

#include <lcms2.h>

#include <array>

namespace velmor {

namespace {

// The sRGB transfer curve as ICC type 4 parameters.
cmsToneCurve* SrgbCurve() {
    const cmsFloat64Number p[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    return cmsBuildParametricToneCurve(nullptr, 4, p);
}

cmsHPROFILE CreateDisplayP3() {
    const cmsCIExyY white = {0.3127, 0.3290, 1.0};  // D65
    const cmsCIExyYTRIPLE primaries = {
        {0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    cmsToneCurve* curve = SrgbCurve();
    std::array<cmsToneCurve*, 3> curves = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves.data());
    cmsFreeToneCurve(curve);
    return profile;
}

// In floating point: the 16-bit pipeline's tables clip colours outside sRGB
// up to 11 code values away from the exact result.
cmsHTRANSFORM To(cmsHPROFILE from, cmsHPROFILE to) {
    return cmsCreateTransform(from, TYPE_RGB_DBL, to, TYPE_RGB_DBL, INTENT_RELATIVE_COLORIMETRIC,
                              cmsFLAGS_NOCACHE);
}

}  // namespace

std::shared_ptr<const MonitorProfile> MonitorProfile::FromIcc(const QByteArray& icc) {
    if (icc.isEmpty()) return nullptr;
    cmsHPROFILE monitor =
        cmsOpenProfileFromMem(icc.constData(), static_cast<cmsUInt32Number>(icc.size()));
    if (monitor == nullptr) return nullptr;
    if (cmsGetColorSpace(monitor) != cmsSigRgbData) {
        cmsCloseProfile(monitor);
        return nullptr;
    }
    std::shared_ptr<MonitorProfile> profile(new MonitorProfile);
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE p3 = CreateDisplayP3();
    profile->toSrgb_ = To(monitor, srgb);
    profile->toDisplayP3_ = To(monitor, p3);
    char name[256] = {};
    cmsGetProfileInfoASCII(monitor, cmsInfoDescription, "en", "US", name, sizeof name);
    profile->description_ = QString::fromLatin1(name);
    cmsCloseProfile(p3);
    cmsCloseProfile(srgb);
    cmsCloseProfile(monitor);
    if (profile->toSrgb_ == nullptr || profile->toDisplayP3_ == nullptr) return nullptr;
    return profile;
}

MonitorProfile::~MonitorProfile() {
    if (toSrgb_ != nullptr) cmsDeleteTransform(toSrgb_);
    if (toDisplayP3_ != nullptr) cmsDeleteTransform(toDisplayP3_);
}

Color MonitorProfile::Apply(void* transform, const Color& c) const {
    const std::array<double, 3> in = {c.red / 65535.0, c.green / 65535.0, c.blue / 65535.0};
    std::array<double, 3> out{};
    cmsDoTransform(transform, in.data(), out.data(), 1);
    return Color::FromUnit(out[0], out[1], out[2]);  // clipped to the sRGB cube
}

Color MonitorProfile::ToSrgb(const Color& screen) const {
    return Apply(toSrgb_, screen);
}

Color MonitorProfile::ToDisplayP3(const Color& screen) const {
    return Apply(toDisplayP3_, screen);
}

QByteArray DisplayP3Icc() {
    cmsHPROFILE p3 = CreateDisplayP3();
    cmsMLU* text = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(text, "en", "US", "Display P3");
    cmsWriteTag(p3, cmsSigProfileDescriptionTag, text);
    cmsMLUfree(text);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(p3, nullptr, &size);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    cmsSaveProfileToMem(p3, bytes.data(), &size);
    cmsCloseProfile(p3);
    return bytes;
}

}  // namespace velmor
