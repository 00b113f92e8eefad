#include "parametercurves.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {

// ln 100, ln 400, ln 36, ln 10, log2(10): the values the curves were built with.
constexpr double kLn100 = 4.605170185988092;
constexpr double kLn400 = 5.991464547107982;
constexpr double kLn36 = 3.58351893845611;
constexpr double kLn10 = 2.302585092994046;
constexpr double kLog2Of10 = 3.321928094887362;
// 48 dB / 20, stored one ulp above 2.4; with it the default level 0.75 maps
// to 1.0000000000000004, the value the controller's texts agree with.
constexpr double kLevelSpan = 2.4000000000000004;
constexpr double kLevelOffset = -1.8;
constexpr double kRangeFloor = 0.01;

} // namespace

double bandGainDb (double n)
{
	return n * 32.0 + -16.0;
}

double lowShelfFreqHz (double n)
{
	return std::exp (n * kLn100) * 20.0;
}

double peakFreqHz (double n)
{
	return std::exp (n * kLn400) * 40.0;
}

double highShelfFreqHz (double n)
{
	return std::exp (n * kLn36) * 500.0;
}

double bandQ (double n)
{
	return std::exp (n * kLn10);
}

int16_t bandOnFlag (bool enabled)
{
	return static_cast<int16_t> ((enabled ? 1.0 : 0.0) + 0.5);
}

double rangeFactor (double n)
{
	// Written so that NaN fails the comparison and takes the floor.
	return n > kRangeFloor ? n : kRangeFloor;
}

double outputGainFromLevel (double n)
{
	return std::pow (10.0, n * kLevelSpan + kLevelOffset);
}

void calcSmoothingCoefs (double timeMs, double fs, double& inCoef, double& feedbackCoef)
{
	const double c = std::exp (-2.2 / (timeMs * 0.001 * fs));
	inCoef = 1.0 - c;
	feedbackCoef = c;
}

double rescaleLinear (double x, double inMin, double inMax, double outMin, double outMax)
{
	return (x - inMin) * (outMax - outMin) / (inMax - inMin) + outMin;
}

double normalizedToExp (double n, double min, double max)
{
	return std::exp2 (n * kLog2Of10 * std::log10 (max / min)) * min;
}

double expToNormalized (double x, double min, double max)
{
	return std::log10 ((1.0 / min) * x) / std::log10 ((1.0 / min) * max);
}

} // namespace Vst
} // namespace Steinberg
