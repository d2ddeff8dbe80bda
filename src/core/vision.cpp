#include "core/vision.h"

#include "core/matrix3.h"

namespace velmor {

namespace {

Triple Cross(Triple a, Triple b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(Triple a, Triple b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Machado, Oliveira and Fernandes (2009), severity 1, on linear RGB.
constexpr Matrix3 kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                  {0.114503, 0.786281, 0.099216},
                                  {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix3 kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                    {0.280085, 0.672501, 0.047413},
                                    {-0.011820, 0.042940, 0.968881}}};

// Brettel, Viénot and Mollon (1997) for tritanopia: the cone responses of
// Smith and Pokorny (1975) from XYZ; what a tritanope sees lies on two
// half-planes through the neutral axis and the monochromatic lights of 485 nm
// and 660 nm, which they see as everyone does. The neutral is the screen's
// white, so that greys stay grey.
struct Tritan {
    Matrix3 toLms;
    Matrix3 toRgb;
    Triple separation;  // which half-plane: the sign of the dot product
    Triple normalBlue;  // the half-plane of 485 nm
    Triple normalRed;   // the half-plane of 660 nm
};

const Tritan& TritanModel() {
    static const Tritan model = [] {
        constexpr Matrix3 kSmithPokorny = {
            {{0.15514, 0.54312, -0.03286}, {-0.15514, 0.45684, 0.03286}, {0.0, 0.0, 0.01608}}};
        // CIE 1931 2-degree colour matching functions at the two wavelengths.
        constexpr Triple kXyz485{0.05795, 0.16930, 0.61620};
        constexpr Triple kXyz660{0.16490, 0.06100, 0.0};
        Matrix3 rgbToXyz{};
        for (int i = 0; i < 3; ++i) {
            Triple unit{i == 0 ? 1.0 : 0.0, i == 1 ? 1.0 : 0.0, i == 2 ? 1.0 : 0.0};
            const Triple column = LinearToXyz(unit);
            rgbToXyz[0][i] = column.x;
            rgbToXyz[1][i] = column.y;
            rgbToXyz[2][i] = column.z;
        }
        Tritan t;
        t.toLms = Times(kSmithPokorny, rgbToXyz);
        t.toRgb = Inverse(t.toLms);
        const Triple white = Times(t.toLms, Triple{1, 1, 1});
        t.normalBlue = Cross(white, Times(kSmithPokorny, kXyz485));
        t.normalRed = Cross(white, Times(kSmithPokorny, kXyz660));
        // The plane through the neutral axis and the S axis parts the two.
        t.separation = Cross(white, Triple{0, 0, 1});
        return t;
    }();
    return model;
}

Triple SeenAsTritanope(Triple linear) {
    const Tritan& t = TritanModel();
    const Triple lms = Times(t.toLms, linear);
    const Triple red = Times(t.toLms, Triple{1, 0, 0});
    // The side the long-wave end of the spectrum lies on takes its half-plane.
    const bool redSide = (Dot(lms, t.separation) >= 0) == (Dot(red, t.separation) >= 0);
    const Triple n = redSide ? t.normalRed : t.normalBlue;
    // The S response the tritanope cannot tell is replaced so that the
    // colour lies on the half-plane.
    const Triple projected{lms.x, lms.y, -(n.x * lms.x + n.y * lms.y) / n.z};
    return Times(t.toRgb, projected);
}

}  // namespace

Triple SeenWith(Vision vision, Triple linear) {
    switch (vision) {
        case Vision::Protanopia:
            return Times(kProtanopia, linear);
        case Vision::Deuteranopia:
            return Times(kDeuteranopia, linear);
        case Vision::Tritanopia:
            return SeenAsTritanope(linear);
        case Vision::Achromatopsia: {
            const double y = LinearToXyz(linear).y;
            return {y, y, y};
        }
    }
    return linear;
}

Color SeenWith(Vision vision, const Color& color) {
    return FromLinear(SeenWith(vision, ToLinear(color)));
}

}  // namespace velmor
