// Linear and exponential range parameters: construction, value texts, parsing and the
// two conversions.

#include "source/controller/tsrangeparameter.h"
#include "testhelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using ord3ltest::narrow;
using ord3ltest::widen;

namespace {

struct Range
{
	const char* name;
	bool exponential;
	double min, max, def;
	int32 precision;
	const TChar* units;
};

const Range kLevel {"Level", false, -36., 12., 0., 1, STR16 ("dB")};
const Range kRange {"Range", false, 0., 100., 100., 0, STR16 ("%")};
const Range kGain {"Gain", false, -16., 16., 0., 1, STR16 ("dB")};
const Range kFreqLF {"Freq_LF", true, 20., 2000., 200., 0, STR16 ("Hz")};
const Range kFreqMF {"Freq_MF", true, 40., 16000., 800., 0, STR16 ("Hz")};
const Range kFreqHF {"Freq_HF", true, 500., 18000., 3000., 0, STR16 ("Hz")};
const Range kQ {"Q", true, 1., 10., 3.2, 2, nullptr};

// Owns one reference, as the parameter container would.
struct ParamRef
{
	explicit ParamRef (RangeParameter* p) : p (p) {}
	~ParamRef () { p->release (); }
	RangeParameter* operator-> () const { return p; }
	RangeParameter* p;
};

RangeParameter* make (const Range& r, bool withPrecision = true)
{
	RangeParameter* p;
	if (r.exponential)
		p = new TSExpRangeParameter (STR16 ("T"), 42, r.units, ParameterInfo::kCanAutomate, r.min, r.max,
		                             r.def);
	else
		p = new TSRangeParameter (STR16 ("T"), 42, r.units, ParameterInfo::kCanAutomate, r.min, r.max, r.def);
	if (withPrecision)
		p->setPrecision (r.precision);
	return p;
}

std::string text (const RangeParameter& p, ParamValue normalized)
{
	String128 s {};
	p.toString (normalized, s);
	return narrow (s);
}

} // namespace

TEST (TSRangeParameter, ConstructionFillsTheParameterInformation)
{
	ParamRef p (new TSRangeParameter (STR16 ("Level"), 1, STR16 ("dB"), ParameterInfo::kCanAutomate, -36.,
	                                  12., 0.));
	const ParameterInfo& info = p->getInfo ();
	EXPECT_EQ (narrow (info.title), "Level");
	EXPECT_EQ (narrow (info.units), "dB");
	EXPECT_EQ (narrow (info.shortTitle), "");
	EXPECT_EQ (info.id, 1u);
	EXPECT_EQ (info.flags, ParameterInfo::kCanAutomate);
	EXPECT_EQ (info.stepCount, 0);
	EXPECT_EQ (info.unitId, kRootUnitId);
	EXPECT_DOUBLE_EQ (info.defaultNormalizedValue, 0.75);
	EXPECT_EQ (p->getNormalized (), info.defaultNormalizedValue);
	EXPECT_EQ (p->getPrecision (), 4); // the SDK's until the owner sets it
	EXPECT_EQ (p->getMin (), -36.);
	EXPECT_EQ (p->getMax (), 12.);

	ParamRef q (new TSExpRangeParameter (STR16 ("Q_MF1"), 9, nullptr, ParameterInfo::kCanAutomate, 1., 10.,
	                                     3.2));
	EXPECT_EQ (narrow (q->getInfo ().units), "");
	// The exponential default goes through the exponential curve: log10 (3.2).
	EXPECT_NEAR (q->getInfo ().defaultNormalizedValue, std::log10 (3.2), 1e-15);
	EXPECT_NEAR (q->getInfo ().defaultNormalizedValue, 0.50515, 1e-5);
	EXPECT_EQ (q->getNormalized (), q->getInfo ().defaultNormalizedValue);
}

TEST (TSRangeParameter, ValueTexts)
{
	struct Case
	{
		const Range* range;
		ParamValue normalized;
		const char* expected;
	};
	const Case cases[] = {
	    {&kLevel, 0.75, "0.0"},
	    {&kLevel, 0.0, "-36.0"},
	    {&kLevel, 1.0, "12.0"},
	    {&kLevel, (36. - 0.00001) / 48., "0.0"}, // just below zero: no minus sign
	    {&kLevel, (36. - 0.01) / 48., "-0.0"},   // only magnitudes below 0.00005 lose the sign
	    {&kGain, 0.5, "0.0"},
	    {&kGain, 0.0, "-16.0"},
	    {&kGain, 1.0, "16.0"},
	    {&kRange, 0.0, "0"},
	    {&kRange, 1.0, "100"},
	    {&kFreqLF, 0.0, "20"},
	    {&kFreqLF, 0.5, "200"},
	    {&kFreqLF, 1.0, "2000"},
	    {&kFreqMF, 0.0, "40"},
	    {&kFreqMF, 0.5, "800"},
	    {&kFreqMF, 1.0, "16000"},
	    {&kFreqHF, 0.5, "3000"},
	    {&kFreqHF, 1.0, "18000"},
	    {&kQ, 0.0, "1.00"},
	    {&kQ, 0.5, "3.16"},
	    {&kQ, std::log10 (3.2), "3.20"},
	    {&kQ, 1.0, "10.00"},
	};
	for (const Case& c : cases)
	{
		ParamRef p (make (*c.range));
		EXPECT_EQ (text (*p.p, c.normalized), c.expected) << c.range->name << " at " << c.normalized;
	}
}

TEST (TSRangeParameter, ValueTextsOfAnyValueFitAString128)
{
	// Texts that do not fit, and values that are no numbers, come out empty.
	struct Case
	{
		const Range* range;
		ParamValue normalized;
		std::size_t length; // of the text
	};
	const double inf = std::numeric_limits<double>::infinity ();
	const Case cases[] = {
	    {&kLevel, 1e300, 0},   {&kLevel, -1e300, 0},  {&kLevel, DBL_MAX, 0},
	    {&kLevel, inf, 0},     {&kLevel, std::numeric_limits<double>::quiet_NaN (), 0},
	    {&kLevel, 1e100, 104}, // 4.8e101 with one decimal still fits
	    {&kRange, 9.99e124, 127}, // 127 digits and the terminator: the longest that fits
	    {&kRange, 1.01e125, 0},
	    {&kFreqMF, 50., 0},    {&kFreqMF, -50., 1}, // 40 * 400^-50 shows as "0"
	    {&kQ, 1e300, 0},
	};
	const TChar sentinel = 0xBEEF;
	for (const Case& c : cases)
	{
		ParamRef p (make (*c.range));
		std::vector<TChar> buffer (1024, sentinel);
		p->toString (c.normalized, buffer.data ());
		const auto end = std::find (buffer.begin (), buffer.begin () + 128, TChar (0));
		ASSERT_NE (end, buffer.begin () + 128) << c.range->name << " at " << c.normalized;
		EXPECT_EQ (static_cast<std::size_t> (end - buffer.begin ()), c.length) << c.range->name << " at " << c.normalized;
		EXPECT_EQ (std::count (buffer.begin () + 128, buffer.end (), sentinel), 1024 - 128);
	}
}

TEST (TSRangeParameter, ExponentialCurveAndRoundTrips)
{
	ParamRef lin (make (kLevel));
	ParamRef exp (make (kFreqMF));
	EXPECT_DOUBLE_EQ (exp->toPlain (0.0), 40.);
	EXPECT_NEAR (exp->toPlain (1.0), 16000., 1e-9);
	EXPECT_NEAR (exp->toPlain (0.5), 800., 1e-9); // geometric mean of the ends
	EXPECT_NEAR (exp->toPlain (0.25), 40. * std::pow (400., 0.25), 1e-9);
	EXPECT_NEAR (exp->toNormalized (800.), 0.5, 1e-15);
	EXPECT_DOUBLE_EQ (lin->toPlain (0.25), -24.);

	for (double n : {0.0, 0.1, 0.33, 0.5, 0.77, 1.0})
	{
		EXPECT_NEAR (lin->toNormalized (lin->toPlain (n)), n, 1e-14) << n;
		EXPECT_NEAR (exp->toNormalized (exp->toPlain (n)), n, 1e-14) << n;
	}
	// Neither conversion limits: the curve goes on past the ends.
	EXPECT_NEAR (exp->toPlain (1.5), 40. * std::pow (400., 1.5), 1e-6);
	EXPECT_LT (exp->toNormalized (20.), 0.);
}

TEST (TSRangeParameter, FromStringLimitsToTheRangeAndUsesTheCurve)
{
	ParamRef p (make (kFreqLF));
	struct Case
	{
		const char* text;
		double expected;
	};
	for (const Case& c : {Case {"5000", 1.0}, Case {"10", 0.0}, Case {"200", 0.5}, Case {"2000", 1.0}})
	{
		std::u16string s = widen (c.text);
		ParamValue n = -1.;
		ASSERT_TRUE (p->fromString (reinterpret_cast<const TChar*> (s.c_str ()), n)) << c.text;
		EXPECT_NEAR (n, c.expected, 1e-15) << c.text;
	}
	std::u16string bad = widen ("abc");
	ParamValue n = 0.25;
	EXPECT_FALSE (p->fromString (reinterpret_cast<const TChar*> (bad.c_str ()), n));

	ParamRef level (make (kLevel));
	std::u16string s = widen ("-12");
	ASSERT_TRUE (level->fromString (reinterpret_cast<const TChar*> (s.c_str ()), n));
	EXPECT_DOUBLE_EQ (n, 0.5);
}

TEST (TSRangeParameter, TextsAreReadWithAPointAndMayCarryTheUnits)
{
	struct Case
	{
		const Range* range;
		const char* text;
		double expected; // normalized; < 0: refused
	};
	const Case cases[] = {
	    {&kQ, "3.2", std::log10 (3.2)},
	    {&kQ, " 3.20 ", std::log10 (3.2)},
	    {&kQ, "+5e-1", 0.0}, // 0.5, limited to the minimum 1
	    {&kFreqLF, "200 Hz", 0.5},
	    {&kFreqLF, "200Hz", 0.5},
	    {&kLevel, "-12 dB", 0.5},
	    {&kLevel, ".5", 36.5 / 48.},
	    {&kRange, "50 %", 0.5},
	    {&kQ, "3,2", -1.},      // the point is the only decimal mark
	    {&kQ, "3.2.1", -1.},
	    {&kFreqLF, "200 dB", -1.}, // only the parameter's own units
	    {&kFreqLF, "Hz", -1.},
	    {&kLevel, "", -1.},
	    {&kLevel, "  ", -1.},
	    {&kLevel, "- 3", -1.},
	};
	for (const Case& c : cases)
	{
		ParamRef p (make (*c.range));
		std::u16string s = widen (c.text);
		ParamValue n = 0.125;
		const bool read = p->fromString (reinterpret_cast<const TChar*> (s.c_str ()), n);
		if (c.expected < 0.)
		{
			EXPECT_FALSE (read) << c.range->name << " \"" << c.text << "\"";
			EXPECT_EQ (n, 0.125) << c.text;
		}
		else
		{
			EXPECT_TRUE (read) << c.range->name << " \"" << c.text << "\"";
			EXPECT_NEAR (n, c.expected, 1e-15) << c.text;
		}
	}
}

TEST (TSRangeParameter, BothClassesAnswerAsRangeParameter)
{
	ParamRef lin (make (kGain));
	ParamRef exp (make (kQ));
	EXPECT_STREQ (lin->isA (), "RangeParameter");
	EXPECT_STREQ (exp->isA (), "RangeParameter");
	EXPECT_TRUE (lin->isTypeOf ("Parameter"));
}
