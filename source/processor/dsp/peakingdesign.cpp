#include "peakingdesign.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

// Constants as the shipped filters were tuned with them (kMinus3Log2TenOver20
// is one ulp away from the nearest double of -3*log2(10)/20 on purpose).
constexpr double kTwoPi = 6.283185307179586;
constexpr double kEdgeRuleThresholdDb = 6.0;
constexpr double kLog2TenOver20 = 0.16609640474436813;
constexpr double kMinus3Log2TenOver20 = -0.4982892142331044;
constexpr double kLog2TenOver40 = 0.08304820237218406;
constexpr double kPiSquared = 9.869604401089358;
constexpr double kMinusPiSquared = -9.869604401089358;

constexpr SectionCoefs kIdentity {1.0, 0.0, 0.0, 0.0, 0.0};

} // namespace

SectionCoefs designPeakSection (int16_t f0, double g, double bw, double fs)
{
	const double r = 1.0 / fs;
	const double w0 = (static_cast<double> (f0) * kTwoPi) * r;
	const double dw = (bw * kTwoPi) * r;

	const double a = std::fabs (g);
	const double G = std::pow (10.0, 0.05 * a);

	// Band-edge gain: half the peak in dB up to 6 dB, 3 dB below the peak above.
	double GB;
	if (a > kEdgeRuleThresholdDb)
		GB = std::exp2 (kLog2TenOver20 * a + kMinus3Log2TenOver20);
	else
		GB = std::exp2 (kLog2TenOver40 * a);

	const double t0 = std::tan (w0 * 0.5);
	const double tb = std::tan (0.5 * dw);

	const double w0SqMinusPiSq = w0 * w0 + kMinusPiSquared;
	const double P = w0SqMinusPiSq * w0SqMinusPiSq;
	const double GB2 = GB * GB;
	const double F00 = GB2 + -1.0;
	const double G2 = G * G;
	const double F = std::fabs (G2 - GB2);

	// For gains of a few 1e-15 dB (or 0, or NaN) G, GB and 1 coincide and the
	// closed form below divides zero by zero. Such a section is 0 dB anyway.
	if (!(F > 0.0) || !(F00 > 0.0))
		return kIdentity;

	const double Qv = (((dw * dw) * kPiSquared) * F00) / (G2 - GB2);

	// Squared analog gain at the angular frequency pi: the section's gain at fs/2.
	const double G1sq = (Qv * G2 + P) / (Qv + P);
	const double G1 = std::sqrt (G1sq);

	const double G11 = G2 - G1sq;
	const double F11 = std::fabs (GB2 - G1sq);
	const double G00 = -1.0 + G2;

	const double ratio = (G11 * t0) / G00;
	const double X = ratio * ratio;

	// DW*DW*F11 stays finite as F11 goes to 0 while DW grows like 1/sqrt(F11).
	// When G1 hits GB exactly (F11 == 0) the product is taken in its limit
	// form instead of as infinity times zero.
	double dwSqF11;
	if (F11 != 0.0)
	{
		const double DW = (std::sqrt ((G11 * F00) / (F11 * G00)) * (t0 * t0) + 1.0) * tb;
		dwSqF11 = (DW * DW) * F11;
	}
	else
	{
		const double lim = (std::sqrt ((G11 * F00) / G00) * (t0 * t0)) * tb;
		dwSqF11 = lim * lim;
	}

	const double XX = X + X;
	const double F01 = std::fabs (GB2 - G1);
	const double G01 = std::fabs (G2 - G1);
	const double U = (std::sqrt (F11 * F00) - F01) * XX + dwSqF11;
	const double V = (G01 - std::sqrt (G00 * G11)) * XX;

	const double iF = 1.0 / F;
	const double A = std::sqrt ((U + V) * iF);
	const double B = std::sqrt ((V * GB2 + U * G2) * iF);

	SectionCoefs s;
	if (g > 0.0)
	{
		const double n = 1.0 / (A + (X + 1.0));
		s.b0 = (B + (X + G1)) * n;
		s.b1 = ((G1 - X) * -2.0) * n;
		s.b2 = ((X + G1) - B) * n;
		s.a1 = (XX + -2.0) * n;
		s.a2 = ((X + 1.0) - A) * n;
	}
	else
	{
		const double n = 1.0 / (B + (X + G1));
		s.b0 = (A + (X + 1.0)) * n;
		s.b1 = (XX + -2.0) * n;
		s.b2 = ((X + 1.0) - A) * n;
		s.a1 = ((G1 - X) * -2.0) * n;
		s.a2 = ((X + G1) - B) * n;
	}
	return s;
}

} // namespace Vst
} // namespace Steinberg
