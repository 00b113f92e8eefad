// The edit controller: its parameter list, value texts, the parameters set from the
// processor's state, the editor's creation and the about controllers' list.

#include "source/controller/plugaboutcontroller.h"
#include "source/controller/plugcontroller.h"
#include "source/processor/plugids.h"
#include "source/processor/plugstate.h"
#include "controllerfixture.h"
#include "testhelpers.h"

#include "pluginterfaces/vst/ivsthostapplication.h"
#include "public.sdk/source/common/memorystream.h"
#include "vstgui/lib/platform/resourcepath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using ord3ltest::FakeHostContext;
using ord3ltest::narrow;

namespace {

class PlugControllerTest : public ord3ltest::ControllerFixture
{
protected:
	std::string valueText (ParamID tag, ParamValue normalized)
	{
		String128 s {};
		EXPECT_EQ (controller->getParamStringByValue (tag, normalized, s), kResultOk) << tag;
		return narrow (s);
	}

	struct TextCase
	{
		ParamID tag;
		const char16_t* text; // null: a null text
		double expected;      // normalized; < 0: refused, the value left as it was
	};

	/** Each text through getParamValueByString: read to its value, or refused with the
	    value left alone; never a throw. */
	template <size_t N>
	void expectTextsRead (const TextCase (&cases)[N])
	{
		for (const TextCase& c : cases)
		{
			SCOPED_TRACE ("tag " + std::to_string (c.tag) + " \"" +
			              (c.text ? narrow (reinterpret_cast<const TChar*> (c.text)).substr (0, 20) : "(null)") + "\"");
			ParamValue value = 0.123;
			tresult result = kInternalError;
			EXPECT_NO_THROW (result = controller->getParamValueByString (
			                     c.tag, reinterpret_cast<TChar*> (const_cast<char16_t*> (c.text)), value));
			if (c.expected < 0.)
			{
				EXPECT_EQ (result, kResultFalse);
				EXPECT_EQ (value, 0.123);
			}
			else
			{
				EXPECT_EQ (result, kResultOk);
				EXPECT_EQ (value, c.expected);
			}
		}
	}

	std::vector<ParamValue> allValues ()
	{
		std::vector<ParamValue> v;
		for (int32 i = 0; i < controller->getParameterCount (); ++i)
		{
			ParameterInfo info {};
			controller->getParameterInfo (i, info);
			v.push_back (controller->getParamNormalized (info.id));
		}
		return v;
	}
};

/** A stream holding the record, positioned at its start. */
IPtr<MemoryStream> streamOf (const PlugState& record, int64 truncateTo = -1)
{
	auto stream = owned (new MemoryStream ());
	EXPECT_EQ (writePlugState (&record, stream), kResultOk);
	if (truncateTo >= 0)
		stream->setSize (truncateTo);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	return stream;
}

} // namespace

TEST_F (PlugControllerTest, ParameterListMatchesTheTable)
{
	struct Row
	{
		ParamID tag;
		const char* title;
		const char* units;
		int32 stepCount;
		double defaultNorm;
		int32 precision; // -1: a switch, whose text is "On"/"Off"
		int32 flags;
		const char* defaultText;
	};
	const int32 A = ParameterInfo::kCanAutomate;
	const double q = std::log10 (3.2);
	// The band switches default to on, as a new processor runs every band; Bypass to off.
	const Row rows[] = {
	    {kBypassId, "Bypass", "", 1, 0., -1, A | ParameterInfo::kIsBypass, "Off"},
	    {kLevelId, "Level", "dB", 0, 0.75, 1, A, "0.0"},
	    {kRangeId, "Range", "%", 0, 1.0, 0, A, "100"},
	    {kGainLFId, "Gain_LF", "dB", 0, 0.5, 1, A, "0.0"},
	    {kFreqLFId, "Freq_LF", "Hz", 0, 0.5, 0, A, "200"},
	    {kChanStatusLFId, "ChanStatus_LF", "", 1, 1., -1, A, "On"},
	    {kGainMF1Id, "Gain_MF1", "dB", 0, 0.5, 1, A, "0.0"},
	    {kFreqMF1Id, "Freq_MF1", "Hz", 0, 0.5, 0, A, "800"},
	    {kQMF1Id, "Q_MF1", "", 0, q, 2, A, "3.20"},
	    {kChanStatusMF1Id, "ChanStatus_MF1", "", 1, 1., -1, A, "On"},
	    {kGainMF2Id, "Gain_MF2", "dB", 0, 0.5, 1, A, "0.0"},
	    {kFreqMF2Id, "Freq_MF2", "Hz", 0, 0.5, 0, A, "800"},
	    {kQMF2Id, "Q_MF2", "", 0, q, 2, A, "3.20"},
	    {kChanStatusMF2Id, "ChanStatus_MF2", "", 1, 1., -1, A, "On"},
	    {kGainMF3Id, "Gain_MF3", "dB", 0, 0.5, 1, A, "0.0"},
	    {kFreqMF3Id, "Freq_MF3", "Hz", 0, 0.5, 0, A, "800"},
	    {kQMF3Id, "Q_MF3", "", 0, q, 2, A, "3.20"},
	    {kChanStatusMF3Id, "ChanStatus_MF3", "", 1, 1., -1, A, "On"},
	    {kGainMF4Id, "Gain_MF4", "dB", 0, 0.5, 1, A, "0.0"},
	    {kFreqMF4Id, "Freq_MF4", "Hz", 0, 0.5, 0, A, "800"},
	    {kQMF4Id, "Q_MF4", "", 0, q, 2, A, "3.20"},
	    {kChanStatusMF4Id, "ChanStatus_MF4", "", 1, 1., -1, A, "On"},
	    {kGainHFId, "Gain_HF", "dB", 0, 0.5, 1, A, "0.0"},
	    {kFreqHFId, "Freq_HF", "Hz", 0, 0.5, 0, A, "3000"},
	    {kChanStatusHFId, "ChanStatus_HF", "", 1, 1., -1, A, "On"},
	};
	ASSERT_EQ (controller->getParameterCount (), 25);
	for (int32 i = 0; i < 25; ++i)
	{
		const Row& r = rows[i];
		ParameterInfo info {};
		ASSERT_EQ (controller->getParameterInfo (i, info), kResultOk) << i;
		EXPECT_EQ (info.id, r.tag) << i;
		EXPECT_EQ (narrow (info.title), r.title) << i;
		EXPECT_EQ (narrow (info.shortTitle), "") << i;
		EXPECT_EQ (narrow (info.units), r.units) << i;
		EXPECT_EQ (info.stepCount, r.stepCount) << i;
		EXPECT_NEAR (info.defaultNormalizedValue, r.defaultNorm, 1e-15) << i;
		EXPECT_EQ (info.flags, r.flags) << i;
		EXPECT_EQ (info.unitId, kRootUnitId) << i;
		EXPECT_EQ (controller->getParamNormalized (r.tag), info.defaultNormalizedValue) << i;
		if (r.precision >= 0)
		{
			EXPECT_EQ (controller->getParameterObject (r.tag)->getPrecision (), r.precision) << i;
		}
		EXPECT_EQ (valueText (r.tag, info.defaultNormalizedValue), r.defaultText) << i;
	}
	// Indices outside the list are refused, not thrown at the host.
	ParameterInfo info {};
	EXPECT_EQ (controller->getParameterInfo (25, info), kResultFalse);
	EXPECT_EQ (controller->getParameterInfo (-1, info), kResultFalse);
	// The shelves' Q tags are state fields only.
	for (ParamID tag : {ParamID (kQLFId), ParamID (kQHFId)})
	{
		EXPECT_EQ (controller->getParameterObject (tag), nullptr);
		String128 s {};
		EXPECT_EQ (controller->getParamStringByValue (tag, 0.5, s), kResultFalse);
		EXPECT_EQ (controller->setParamNormalized (tag, 0.3), kResultFalse);
		EXPECT_EQ (controller->normalizedParamToPlain (tag, 0.3), 0.3);
	}
}

TEST_F (PlugControllerTest, ValueTextsAndConversionsThroughTheController)
{
	struct Case
	{
		ParamID tag;
		ParamValue normalized;
		const char* expected;
	};
	const Case cases[] = {
	    {kLevelId, 0.75, "0.0"},     {kRangeId, 1.0, "100"},       {kGainLFId, 0.0, "-16.0"},
	    {kFreqLFId, 0.5, "200"},     {kFreqHFId, 1.0, "18000"},    {kQMF1Id, 0.5, "3.16"},
	    {kBypassId, 1.0, "On"},      {kChanStatusHFId, 0.0, "Off"}, {kChanStatusMF2Id, 0.6, "On"},
	    {kFreqMF4Id, 1.0, "16000"},  {kGainHFId, 1.0, "16.0"},     {kLevelId, 0.0, "-36.0"},
	};
	for (const Case& c : cases)
		EXPECT_EQ (valueText (c.tag, c.normalized), c.expected) << c.tag << " at " << c.normalized;

	EXPECT_NEAR (controller->normalizedParamToPlain (kFreqMF2Id, 0.5), 800., 1e-9);
	EXPECT_NEAR (controller->plainParamToNormalized (kQMF3Id, 10.), 1.0, 1e-15);
	EXPECT_DOUBLE_EQ (controller->normalizedParamToPlain (kGainMF1Id, 0.75), 8.);
	EXPECT_DOUBLE_EQ (controller->plainParamToNormalized (kRangeId, 25.), 0.25);

	std::u16string text = ord3ltest::widen ("5000");
	ParamValue n = -1.;
	ASSERT_EQ (controller->getParamValueByString (kFreqLFId, const_cast<TChar*> (text.c_str ()), n), kResultOk);
	EXPECT_EQ (n, 1.0);
	text = ord3ltest::widen ("3.2");
	ASSERT_EQ (controller->getParamValueByString (kQMF2Id, const_cast<TChar*> (text.c_str ()), n), kResultOk);
	EXPECT_NEAR (n, std::log10 (3.2), 1e-15);
}

// A buggy or hostile host: every double as a value, any text as a value text.
TEST_F (PlugControllerTest, ValueTextsOfAnyDoubleEndInsideTheHostsBuffer)
{
	const double nan = std::numeric_limits<double>::quiet_NaN ();
	const double inf = std::numeric_limits<double>::infinity ();
	const double values[] = {nan, -nan, inf, -inf, 1e300, -1e300, 50., -50., DBL_MAX, -DBL_MAX,
	                         std::numeric_limits<double>::denorm_min (), -std::numeric_limits<double>::denorm_min (),
	                         DBL_MIN, -0.0, 1.0 + DBL_EPSILON};
	const TChar sentinel = 0xBEEF;
	for (int32 i = 0; i < controller->getParameterCount (); ++i)
	{
		ParameterInfo info {};
		controller->getParameterInfo (i, info);
		for (double value : values)
		{
			SCOPED_TRACE (narrow (info.title) + " at " + std::to_string (value));
			// Room behind the host's 128 characters, so that an overrun shows here and
			// not as a crash.
			std::vector<TChar> buffer (1024, sentinel);
			tresult result = kInternalError;
			EXPECT_NO_THROW (result = controller->getParamStringByValue (info.id, value, buffer.data ()));
			EXPECT_EQ (result, kResultOk);
			const auto end = std::find (buffer.begin (), buffer.begin () + 128, TChar (0));
			ASSERT_NE (end, buffer.begin () + 128) << "no terminator within 128 characters";
			EXPECT_EQ (std::count (buffer.begin () + 128, buffer.end (), sentinel), 1024 - 128);
			// A NaN has no text; any other value shows as the value it would be set to.
			const std::string text = narrow (buffer.data ());
			if (std::isnan (value))
				EXPECT_EQ (text, "");
			else
				EXPECT_EQ (text, valueText (info.id, std::min (std::max (value, 0.0), 1.0)));
		}
	}
	EXPECT_EQ (valueText (kLevelId, 1e300), "12.0");
	EXPECT_EQ (valueText (kFreqMF2Id, 50.), "16000");
	EXPECT_EQ (valueText (kGainHFId, -inf), "-16.0");
	EXPECT_EQ (controller->getParamStringByValue (kLevelId, 0.5, nullptr), kResultFalse);
}

TEST_F (PlugControllerTest, OnlyFiniteNumberTextsAreRead)
{
	const std::u16string megabyteOfDigits (1 << 20, u'1');
	const std::u16string megabyteOfBlanks = std::u16string (1 << 20, u' ') + u"1";
	const TextCase cases[] = {
	    {kLevelId, nullptr, -1.},
	    {kLevelId, u"nan", -1.},
	    {kLevelId, u"-NaN", -1.},
	    {kLevelId, u"inf", -1.},
	    {kLevelId, u"-infinity", -1.},
	    {kLevelId, u"1e999", -1.},
	    {kLevelId, u"-1e999", -1.},
	    {kLevelId, u"0x10", -1.},
	    {kLevelId, u"+-1", -1.},
	    {kLevelId, u"1e300", 1.},
	    {kLevelId, u"-1e300", 0.},
	    {kRangeId, u"1e-310", 1e-310 / 100.}, // a subnormal number is a number
	    {kQMF1Id, u"3,2", -1.},
	    {kQMF1Id, u"\xD800", -1.},       // lone high surrogate
	    {kQMF1Id, u"3\xDC00", -1.},      // lone low surrogate after a digit
	    {kQMF1Id, u"3\xD83D\xDE00", -1.}, // a well-formed pair is no digit either
	    {kQMF1Id, u"\u00E9", -1.},
	    {kQMF1Id, u"\uFF13", -1.}, // a full-width digit
	    {kQMF1Id, megabyteOfDigits.c_str (), -1.},
	    {kQMF1Id, megabyteOfBlanks.c_str (), -1.},
	    {kChanStatusMF2Id, u"12abc", -1.},
	    {kChanStatusMF2Id, u"On", 1.}, // besides numbers, a switch reads its own texts
	    {kChanStatusMF2Id, u"12", 1.},
	    {kChanStatusMF2Id, u"-3", 0.},
	    {kChanStatusMF2Id, u"0.25", 0.25},
	    {kBypassId, u"1", 1.},
	    {kQLFId, u"3", -1.}, // no parameter under the shelf's Q tag
	};
	expectTextsRead (cases);
}

// A host may send back any text it was shown: each reads to a value that shows the same
// text, and "On"/"Off" to the switch's ends.
TEST_F (PlugControllerTest, EverySwitchReadsBackTheTextsItShows)
{
	int32 switches = 0;
	for (int32 i = 0; i < controller->getParameterCount (); ++i)
	{
		ParameterInfo info {};
		ASSERT_EQ (controller->getParameterInfo (i, info), kResultOk);
		if (info.stepCount != 1)
			continue;
		++switches;
		for (double value : {0.0, 0.5, std::nextafter (0.5, 1.0), 1.0})
		{
			SCOPED_TRACE (narrow (info.title) + " at " + std::to_string (value));
			String128 shown {};
			ASSERT_EQ (controller->getParamStringByValue (info.id, value, shown), kResultOk);
			ParamValue read = -1.;
			ASSERT_EQ (controller->getParamValueByString (info.id, shown, read), kResultOk) << narrow (shown);
			EXPECT_EQ (read, value > 0.5 ? 1.0 : 0.0) << narrow (shown);
			EXPECT_EQ (valueText (info.id, read), narrow (shown));
		}
	}
	EXPECT_EQ (switches, 1 + kNumEqBands); // Bypass and the band switches
}

TEST_F (PlugControllerTest, SwitchesReadOnAndOffInAnyLetterCase)
{
	const std::u16string longestOn = std::u16string (125, u' ') + u"On"; // 127 characters
	const std::u16string tooLongOn = std::u16string (126, u' ') + u"On";
	const TextCase cases[] = {
	    {kBypassId, u"On", 1.},
	    {kBypassId, u"Off", 0.},
	    {kChanStatusLFId, u"on", 1.},
	    {kChanStatusLFId, u" OFF ", 0.},
	    {kChanStatusMF1Id, u"oN", 1.},
	    {kChanStatusMF1Id, u"\toFf\t ", 0.},
	    {kChanStatusHFId, longestOn.c_str (), 1.},
	    {kChanStatusHFId, tooLongOn.c_str (), -1.},
	    {kBypassId, u"onn", -1.},
	    {kBypassId, u"o n", -1.},
	    {kBypassId, u"O", -1.},
	    {kBypassId, u"Of", -1.},
	    {kBypassId, u"Offf", -1.},
	    {kBypassId, u"yes", -1.},
	    {kBypassId, u"On dB", -1.},
	    {kBypassId, u"On1", -1.},
	    {kBypassId, u"\nOn", -1.},        // blanks are spaces and tabs only
	    {kBypassId, u"On\0ff", 1.},        // the text ends at its terminator
	    {kBypassId, u"\u014Fn", -1.},      // would read "On" if cut to 8 bits
	    {kBypassId, u"\uFF2F\uFF4E", -1.}, // full-width letters
	    {kLevelId, u"On", -1.},           // only switches read words
	    {kFreqMF1Id, u"off", -1.},
	};
	expectTextsRead (cases);
	// The parameter guards a null text itself, not only behind the controller.
	ParamValue value = 0.123;
	EXPECT_FALSE (controller->getParameterObject (kBypassId)->fromString (nullptr, value));
	EXPECT_EQ (value, 0.123);
}

TEST_F (PlugControllerTest, NonFiniteValuesChangeNothingAndOthersAreLimited)
{
	const double inf = std::numeric_limits<double>::infinity ();
	ASSERT_EQ (controller->setParamNormalized (kGainMF1Id, 0.3), kResultOk);
	for (double bad : {std::numeric_limits<double>::quiet_NaN (), inf, -inf})
	{
		EXPECT_EQ (controller->setParamNormalized (kGainMF1Id, bad), kResultFalse) << bad;
		EXPECT_EQ (controller->getParamNormalized (kGainMF1Id), 0.3) << bad;
	}
	struct Case
	{
		double value, stored;
	};
	for (const Case& c : {Case {50., 1.}, Case {-1e300, 0.}, Case {DBL_MIN, DBL_MIN}, Case {1.0 + DBL_EPSILON, 1.}})
	{
		EXPECT_EQ (controller->setParamNormalized (kGainMF1Id, c.value), kResultOk) << c.value;
		EXPECT_EQ (controller->getParamNormalized (kGainMF1Id), c.stored) << c.value;
	}

	// A stored state goes the same way: its NaN leaves the parameter, its 50 becomes 1.
	PlugState record = makeInitialPlugState ();
	record.levelNorm = std::numeric_limits<double>::quiet_NaN ();
	record.bands[kBandMF2].gainNorm = 50.;
	record.bands[kBandHF].freqNorm = -inf;
	controller->setParamNormalized (kLevelId, 0.6);
	controller->setParamNormalized (kFreqHFId, 0.7);
	auto stream = streamOf (record);
	ASSERT_EQ (controller->setComponentState (stream), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kLevelId), 0.6);
	EXPECT_EQ (controller->getParamNormalized (kGainMF2Id), 1.0);
	EXPECT_EQ (controller->getParamNormalized (kFreqHFId), 0.7);
}

TEST (PlugController, RepeatedInitializeRegistersOnce)
{
	FakeHostContext context (FUnknown::iid, false);
	for (FUnknown* ctx : {static_cast<FUnknown*> (nullptr), static_cast<FUnknown*> (&context)})
	{
		auto* controller = new PlugController ();
		ASSERT_EQ (controller->initialize (ctx), kResultOk);
		controller->setParamNormalized (kGainMF2Id, 0.9);
		// A second initialize without terminate: kResultOk, still 25, values kept.
		EXPECT_EQ (controller->initialize (ctx), kResultOk);
		EXPECT_EQ (controller->getParameterCount (), 25);
		EXPECT_EQ (controller->getParamNormalized (kGainMF2Id), 0.9);

		// After terminate all 25 come back at their defaults.
		controller->terminate ();
		EXPECT_EQ (controller->getParameterCount (), 0);
		ASSERT_EQ (controller->initialize (ctx), kResultOk);
		EXPECT_EQ (controller->getParameterCount (), 25);
		EXPECT_EQ (controller->getParamNormalized (kGainMF2Id), 0.5);
		controller->terminate ();
		controller->release ();
	}
	EXPECT_EQ (context.refs, 1);
}

TEST_F (PlugControllerTest, SetComponentStateOfANewProcessor)
{
	auto stream = streamOf (makeInitialPlugState ());
	ASSERT_EQ (controller->setComponentState (stream), kResultOk);

	EXPECT_EQ (controller->getParamNormalized (kBypassId), 0.0);
	EXPECT_EQ (controller->getParamNormalized (kLevelId), 0.75);
	EXPECT_EQ (controller->getParamNormalized (kRangeId), 1.0);
	for (int32 b = 0; b < kNumEqBands; ++b)
	{
		const ParamID base = kGainLFId + 4 * b;
		EXPECT_EQ (controller->getParamNormalized (base), 0.5) << b;
		EXPECT_EQ (controller->getParamNormalized (base + 1), 0.5) << b;
		if (b != kBandLF && b != kBandHF)
		{
			EXPECT_EQ (controller->getParamNormalized (base + 2), 0.50515) << b;
		}
		EXPECT_EQ (controller->getParamNormalized (base + 3), 1.0) << b;
		String128 s {};
		controller->getParamStringByValue (base + 3, controller->getParamNormalized (base + 3), s);
		EXPECT_EQ (narrow (s), "On");
		// A host's reset gives what a new processor has: the band on.
		ParameterInfo info {};
		controller->getParameterInfoByTag (base + 3, info);
		EXPECT_EQ (info.defaultNormalizedValue, 1.0);
	}
}

TEST_F (PlugControllerTest, SetComponentStateMapsEveryFieldToItsTag)
{
	PlugState record = makeInitialPlugState ();
	record.bypass = true;
	record.levelNorm = 0.21;
	record.rangeNorm = 0.33;
	for (int32 b = 0; b < kNumEqBands; ++b)
	{
		record.bands[b].gainNorm = 0.10 + 0.01 * b;
		record.bands[b].freqNorm = 0.40 + 0.01 * b;
		record.bands[b].qNorm = 0.70 + 0.01 * b;
		record.bands[b].enabled = (b % 2) == 0;
	}
	auto stream = streamOf (record);
	ASSERT_EQ (controller->setComponentState (stream), kResultOk);

	EXPECT_EQ (controller->getParamNormalized (kBypassId), 1.0);
	EXPECT_EQ (controller->getParamNormalized (kLevelId), 0.21);
	EXPECT_EQ (controller->getParamNormalized (kRangeId), 0.33);
	for (int32 b = 0; b < kNumEqBands; ++b)
	{
		const ParamID base = kGainLFId + 4 * b;
		EXPECT_EQ (controller->getParamNormalized (base), record.bands[b].gainNorm) << b;
		EXPECT_EQ (controller->getParamNormalized (base + 1), record.bands[b].freqNorm) << b;
		if (b != kBandLF && b != kBandHF)
		{
			EXPECT_EQ (controller->getParamNormalized (base + 2), record.bands[b].qNorm) << b;
		}
		EXPECT_EQ (controller->getParamNormalized (base + 3), (b % 2) == 0 ? 1.0 : 0.0) << b;
	}
}

TEST_F (PlugControllerTest, SetComponentStateRefusesNullAndShortStreams)
{
	// Values that differ from the record below (whose bands are all on).
	controller->setParamNormalized (kLevelId, 0.1);
	controller->setParamNormalized (kChanStatusMF3Id, 0.0);
	const std::vector<ParamValue> before = allValues ();

	EXPECT_EQ (controller->setComponentState (nullptr), kResultFalse);
	EXPECT_EQ (allValues (), before);

	PlugState record = makeInitialPlugState ();
	record.levelNorm = 0.9; // comes before the missing byte
	auto shortStream = streamOf (record, kPlugStateStreamSize - 1);
	EXPECT_EQ (controller->setComponentState (shortStream), kResultFalse);
	EXPECT_EQ (allValues (), before);
}

TEST_F (PlugControllerTest, CreateViewMakesTheEditorOnlyForEditor)
{
	VSTGUI::setResourcePath (ORD3L_RESOURCE_DIR);
	controller->setKnobMode (kCircularMode);
	EXPECT_EQ (controller->createView ("editorx"), nullptr);
	EXPECT_EQ (controller->createView ("Editor"), nullptr);
	EXPECT_EQ (controller->createView (nullptr), nullptr);
	EXPECT_EQ (EditController::getHostKnobMode (), kCircularMode);

	IPlugView* view = controller->createView (ViewType::kEditor);
	ASSERT_NE (view, nullptr);
	EXPECT_EQ (EditController::getHostKnobMode (), kLinearMode);
	auto* editor = dynamic_cast<VSTGUI::VST3Editor*> (view);
	ASSERT_NE (editor, nullptr);
	EXPECT_EQ (editor->getTemplateName (), "view");
	EXPECT_EQ (editor->getDelegate (), static_cast<VSTGUI::VST3EditorDelegate*> (controller));
	view->release ();
}

TEST (PlugController, AudioUnitWrapperInterfaceID)
{
	const uint8 expected[16] = {0xA3, 0xB8, 0xC6, 0xC5, 0xC0, 0x95, 0x46, 0x88,
	                            0xB0, 0x91, 0x6F, 0x0B, 0xB6, 0x97, 0xAA, 0x44};
	TUID bytes;
	kAUWrapperIID.toTUID (bytes);
	EXPECT_EQ (std::memcmp (bytes, expected, 16), 0);
	EXPECT_TRUE (kAUWrapperIID == FUID::fromTUID (IVst3ToAUWrapper::iid));
}

TEST (PlugController, SubControllerFormatFollowsTheHostContext)
{
	struct Case
	{
		const char* name;
		bool hasContext;
		bool answers;
		const char* format;
	};
	const Case cases[] = {
	    {"no host context", false, false, "VST3"},
	    {"plain host", true, false, "VST3"},
	    {"Audio Unit wrapper", true, true, "AU"},
	};
	for (const Case& c : cases)
	{
		FakeHostContext context (kAUWrapperIID, c.answers);
		auto* controller = new PlugController ();
		controller->initialize (c.hasContext ? &context : nullptr);
		const int32 refsBefore = context.refs; // the controller holds the context

		VSTGUI::IController* sub = controller->createSubController ("AboutController", nullptr, nullptr);
		auto* about = dynamic_cast<PlugController::AboutController*> (sub);
		ASSERT_NE (about, nullptr) << c.name;
		EXPECT_STREQ (about->getFormatText ().text8 (), c.format) << c.name;
		EXPECT_STREQ (about->getVersionText ().text8 (), "2.0.0");
		EXPECT_EQ (context.queries, c.hasContext ? 1 : 0) << c.name;
		// The answered interface is released again before the call returns.
		EXPECT_EQ (context.refs, refsBefore) << c.name;
		delete sub;

		controller->terminate ();
		controller->release ();
		EXPECT_EQ (context.refs, 1) << c.name;
	}
}

TEST_F (PlugControllerTest, SubControllerNamesAndTheListOfAboutControllers)
{
	const std::string copy = "AboutController"; // equal text at another address
	for (const char* name : {"About", "AboutController ", "aboutcontroller", "", static_cast<const char*> (nullptr)})
		EXPECT_EQ (controller->createSubController (name, nullptr, nullptr), nullptr) << (name ? name : "null");
	EXPECT_TRUE (controller->getAboutControllers ().empty ());

	VSTGUI::IController* first = controller->createSubController (copy.c_str (), nullptr, nullptr);
	VSTGUI::IController* second = controller->createSubController ("AboutController", nullptr, nullptr);
	ASSERT_NE (first, nullptr);
	ASSERT_NE (second, nullptr);
	auto* a = dynamic_cast<PlugController::AboutController*> (first);
	auto* b = dynamic_cast<PlugController::AboutController*> (second);
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<PlugController::AboutController*> {a, b}));

	delete first;
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<PlugController::AboutController*> {b}));
	// A pointer that is no longer listed changes nothing.
	controller->removeAboutController (a);
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<PlugController::AboutController*> {b}));

	// A third one goes behind the second; removing the second keeps the third.
	VSTGUI::IController* third = controller->createSubController ("AboutController", nullptr, nullptr);
	auto* c = dynamic_cast<PlugController::AboutController*> (third);
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<PlugController::AboutController*> {b, c}));
	delete second;
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<PlugController::AboutController*> {c}));
	delete third;
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
}
