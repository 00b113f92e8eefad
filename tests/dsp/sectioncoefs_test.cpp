#include <gtest/gtest.h>

#include <limits>

#include "sectioncoefs.h"

namespace {

using Steinberg::Vst::isUsableSection;
using Steinberg::Vst::SectionCoefs;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();
constexpr double kInf = std::numeric_limits<double>::infinity ();

struct UsableCase
{
	const char* what;
	SectionCoefs coefs;
	bool usable;
};

TEST (IsUsableSection, AcceptsStableFiniteSectionsOnly)
{
	const UsableCase cases[] = {
	    {"identity", {1.0, 0.0, 0.0, 0.0, 0.0}, true},
	    {"first order, pole near +1", {1.0, -0.9, 0.0, -0.999, 0.0}, true},
	    {"first order, pole near -1", {1.0, 0.9, 0.0, 0.999, 0.0}, true},
	    {"first order, pole on the circle at z = 1", {1.0, -0.5, 0.0, -1.0, 0.0}, false},
	    {"first order, pole on the circle at z = -1", {1.0, 0.5, 0.0, 1.0, 0.0}, false},
	    {"first order, pole outside", {1.0, 0.0, 0.0, 1.5, 0.0}, false},
	    {"resonator just inside", {1.0, -1.9, 0.9, -1.9, 0.999999}, true},
	    {"double pole at z = 1", {1.0, 0.0, 0.0, -2.0, 1.0}, false},
	    {"real poles, one at z = 1", {1.0, 0.0, 0.0, -1.95, 0.95}, false},
	    {"complex poles on the circle", {1.0, 0.0, 0.0, 0.0, 1.0}, false},
	    {"real poles +-1", {1.0, 0.0, 0.0, 0.0, -1.0}, false},
	    {"real poles 0.64 and -0.94", {1.0, 0.0, 0.0, 0.3, -0.6}, true},
	    {"real poles 0.56 and -1.06", {1.0, 0.0, 0.0, 0.5, -0.6}, false},
	    {"NaN numerator", {kNaN, 0.0, 0.0, 0.0, 0.0}, false},
	    {"infinite numerator", {1.0, 0.0, kInf, 0.0, 0.0}, false},
	    {"NaN feedback", {1.0, 0.0, 0.0, kNaN, 0.0}, false},
	    {"NaN second feedback", {1.0, 0.0, 0.0, 0.0, kNaN}, false},
	    {"infinite feedback", {1.0, 0.0, 0.0, -kInf, 0.5}, false},
	};
	for (const auto& c : cases)
		EXPECT_EQ (isUsableSection (c.coefs), c.usable) << c.what;
}

} // namespace
