#include "testsupport.h"
#include "vstgui/lib/numbertext.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uiviewcreator.h"
#include <cmath>
#include <limits>
#include <stdexcept>

using namespace VSTGUI;

TEST (CRectTest, PointInsideKeepsLeftTopAndDropsRightBottom)
{
	const CRect r (10, 20, 30, 40);
	const double nan = std::numeric_limits<double>::quiet_NaN ();
	struct Case
	{
		CPoint p;
		bool inside;
	} cases[] = {
	    {{10, 20}, true},  {{29.999, 39.999}, true}, {{30, 25}, false}, {{15, 40}, false},
	    {{9.999, 25}, false}, {{nan, 25}, false},   {{15, nan}, false},
	};
	for (const auto& c : cases)
		EXPECT_EQ (r.pointInside (c.p), c.inside) << c.p.x << ", " << c.p.y;
}

TEST (CButtonStateTest, LeftButtonMeansLeftAlone)
{
	EXPECT_TRUE (CButtonState (kLButton | kAlt | kDoubleClick).isLeftButton ());
	EXPECT_FALSE (CButtonState (kLButton | kRButton).isLeftButton ());
	EXPECT_EQ (CButtonState (kLButton | kShift | kButton5 | kDoubleClick).getButtonState (), kLButton | kButton5);
	EXPECT_EQ (CButtonState (kLButton | kShift | kApple).getModifierState (), kShift | kApple);
}

TEST (CColorTest, HexParsing)
{
	struct Case
	{
		const char* text;
		bool ok;
		CColor color;
	} cases[] = {
	    {"#102030", true, CColor (0x10, 0x20, 0x30, 0xff)}, {"#10203040", true, CColor (0x10, 0x20, 0x30, 0x40)},
	    {"#AbCdEf", true, CColor (0xab, 0xcd, 0xef, 0xff)}, {"102030", false, {}},
	    {"#12345", false, {}},  {"#1020304", false, {}}, {"#gg0000", false, {}}, {"", false, {}},
	};
	for (const auto& c : cases)
	{
		CColor out;
		EXPECT_EQ (parseHexColor (c.text, out), c.ok) << c.text;
		if (c.ok)
		{
			EXPECT_EQ (out, c.color) << c.text;
		}
	}
	CColor untouched (1, 2, 3, 4);
	EXPECT_FALSE (parseHexColor (nullptr, untouched));
	EXPECT_EQ (untouched, CColor (1, 2, 3, 4));
}

namespace {
struct Counted : CBaseObject
{
	static int alive;
	static int beforeDeleteCalls;
	Counted () { ++alive; }
	~Counted () noexcept override { --alive; }
	void beforeDelete () override { ++beforeDeleteCalls; }
};
int Counted::alive = 0;
int Counted::beforeDeleteCalls = 0;
} // namespace

TEST (ReferenceCountingTest, SharedPointerOwnsExactlyOneReference)
{
	Counted::alive = Counted::beforeDeleteCalls = 0;
	{
		auto a = makeOwned<Counted> ();
		EXPECT_EQ (a->getNbReference (), 1);
		SharedPointer<Counted> b = a;
		EXPECT_EQ (a->getNbReference (), 2);
		SharedPointer<Counted> c (std::move (b));
		EXPECT_EQ (a->getNbReference (), 2);
		c = nullptr;
		EXPECT_EQ (a->getNbReference (), 1);
		Counted* raw = new Counted;
		SharedPointer<Counted> d (raw);
		EXPECT_EQ (raw->getNbReference (), 2);
		raw->forget ();
		EXPECT_EQ (Counted::alive, 2);
	}
	EXPECT_EQ (Counted::alive, 0);
	EXPECT_EQ (Counted::beforeDeleteCalls, 2);
}

namespace {
std::string lastAssert;
void recordingHandler (const char* file, const char* line, const char* desc)
{
	lastAssert = std::string (file) + ":" + line + ":" + (desc ? desc : "(null)");
}
void throwingHandler (const char*, const char*, const char* desc)
{
	throw std::logic_error (desc ? desc : "assert");
}
} // namespace

TEST (DoAssertTest, HandlerGetsFileLineAndDescriptionAndMayThrow)
{
	ASSERT_FALSE (hasAssertionHandler ());
	EXPECT_NO_THROW (doAssert ("f.cpp", "12", "quiet")); // no handler: carry on

	setAssertionHandler (recordingHandler);
	doAssert ("cslider.cpp", "42", nullptr);
	EXPECT_EQ (lastAssert, "cslider.cpp:42:(null)");
	vstgui_assert (1 + 1 == 3, "arithmetic");
	EXPECT_NE (lastAssert.find (":arithmetic"), std::string::npos);

	setAssertionHandler (throwingHandler);
	EXPECT_THROW (doAssert ("f.cpp", "1", "boom"), std::logic_error);
	setAssertionHandler (nullptr);
	EXPECT_FALSE (hasAssertionHandler ());
}

TEST (UIAttributesTest, TypedGettersRejectWhatDoesNotParse)
{
	UIAttributes a;
	a.setAttribute ("p1", "10, 20");
	a.setAttribute ("p2", " -1.5 ,2e1 ");
	a.setAttribute ("p3", "10");
	a.setAttribute ("p4", "a, b");
	a.setAttribute ("p5", "1e999, 0");
	a.setAttribute ("p6", "1, 2, 3");
	a.setAttribute ("d1", "0.25");
	a.setAttribute ("d2", "3.5x");
	a.setAttribute ("d3", "nan");
	a.setAttribute ("d4", "");
	a.setAttribute ("d5", " +0.01 ");
	a.setAttribute ("d6", "0,01");
	a.setAttribute ("i1", " -3 ");
	a.setAttribute ("i2", "3.0");
	a.setAttribute ("b1", "true");
	a.setAttribute ("b2", "True");

	CPoint p (7, 7);
	EXPECT_TRUE (a.getPointAttribute ("p1", p));
	EXPECT_EQ (p, CPoint (10, 20));
	EXPECT_TRUE (a.getPointAttribute ("p2", p));
	EXPECT_EQ (p, CPoint (-1.5, 20));
	for (const char* bad : {"p3", "p4", "p5", "p6", "missing"})
	{
		p = CPoint (7, 7);
		EXPECT_FALSE (a.getPointAttribute (bad, p)) << bad;
		EXPECT_EQ (p, CPoint (7, 7)) << bad;
	}
	double d = -1;
	EXPECT_TRUE (a.getDoubleAttribute ("d1", d));
	EXPECT_EQ (d, 0.25);
	EXPECT_TRUE (a.getDoubleAttribute ("d5", d));
	EXPECT_EQ (d, 0.01);
	for (const char* bad : {"d2", "d3", "d4", "d6", "missing"})
		EXPECT_FALSE (a.getDoubleAttribute (bad, d)) << bad;
	int32_t i = 0;
	EXPECT_TRUE (a.getIntegerAttribute ("i1", i));
	EXPECT_EQ (i, -3);
	EXPECT_FALSE (a.getIntegerAttribute ("i2", i));
	bool b = false;
	EXPECT_TRUE (a.getBooleanAttribute ("b1", b));
	EXPECT_TRUE (b);
	EXPECT_FALSE (a.getBooleanAttribute ("b2", b));
	EXPECT_EQ (a.getAttributeValue ("missing"), nullptr);
	ASSERT_NE (a.getAttributeValue ("b2"), nullptr);
	EXPECT_EQ (*a.getAttributeValue ("b2"), "True");
}

// The second run of these tests happens under a comma-decimal locale: none of this may change.
TEST (NumberTextTest, ReadsWhatStrtodReadsInTheCLocaleAndNothingElse)
{
	struct Case
	{
		const char* text;
		bool ok;
		double value;
	};
	const Case cases[] = {
	    {"0.01", true, 0.01},
	    {"-2.5e1", true, -25.},
	    {"+.5", true, 0.5},
	    {"5.", true, 5.},
	    {" \t\v\f7", true, 7.},
	    {"0x1.8p1", true, 3.},
	    {"-0X10", true, -16.},
	    {"1.7976931348623157e308", true, 1.7976931348623157e308},
	    {"0,01", false, 0},
	    {"1.5 ", false, 0},
	    {"", false, 0},
	    {"+", false, 0},
	    {"+-1", false, 0},
	    {"--1", false, 0},
	    {"0x-1", false, 0},
	    {"0x", false, 0},
	    {"1e", false, 0},
	    {"nan", false, 0},
	    {"-inf", false, 0},
	    {"1e309", false, 0},
	    {"1e-400", false, 0},
	    {"1e-310", false, 0}, // subnormal: strtod's ERANGE
	};
	for (const auto& c : cases)
	{
		double v = -123.;
		EXPECT_EQ (textToDouble (c.text, v), c.ok) << '"' << c.text << '"';
		EXPECT_EQ (v, c.ok ? c.value : -123.) << '"' << c.text << '"';
	}

	const std::pair<const char*, int64_t> integers[] = {
	    {"42", 42}, {"+7", 7}, {" -12", -12}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
	    {"2147483648", -1}, {"-2147483649", -1}, {"99999999999999999999", -1}, {"1.0", -1},
	    {"0x10", -1}, {"+-1", -1}, {"-", -1}, {"", -1}, {"12 ", -1}};
	for (const auto& [text, expected] : integers)
	{
		int32_t v = -1;
		EXPECT_EQ (textToInteger (text, v), expected != -1) << '"' << text << '"';
		EXPECT_EQ (v, expected) << '"' << text << '"';
	}
}

TEST (NumberTextTest, WritesFixedTextWithAPoint)
{
	EXPECT_EQ (fixedToText (0.01, 2), "0.01");
	EXPECT_EQ (fixedToText (-2.345, 1), "-2.3");
	EXPECT_EQ (fixedToText (1234567.5, 0), "1234568");
	EXPECT_EQ (fixedToText (-0., 3), "-0.000");
	EXPECT_EQ (fixedToText (std::numeric_limits<double>::infinity (), 2), "inf");
	const std::string big = fixedToText (-std::numeric_limits<double>::max (), 255);
	EXPECT_EQ (big.size (), 1u + 309u + 1u + 255u);
	EXPECT_EQ (big.compare (0, 6, "-17976"), 0);
}

TEST (UIViewCreatorHelpersTest, NumberAndPointText)
{
	EXPECT_EQ (UIViewCreator::doubleToString (10.0, 6), "10");
	EXPECT_EQ (UIViewCreator::doubleToString (0.123456789, 6), "0.123457");
	EXPECT_EQ (UIViewCreator::doubleToString (-0.0000001, 6), "0");
	EXPECT_EQ (UIViewCreator::doubleToString (2.5, 6), "2.5");
	std::string s;
	EXPECT_TRUE (UIViewCreator::pointToString (CPoint (4, -2.5), s));
	EXPECT_EQ (s, "4, -2.5");

	UIAttributes a;
	a.setDoubleAttribute ("d", 0.01);
	a.setPointAttribute ("p", CPoint (1.5, -2));
	a.setRectAttribute ("r", CRect (0.5, 1, 2.25, 3));
	EXPECT_EQ (*a.getAttributeValue ("d"), "0.01");
	EXPECT_EQ (*a.getAttributeValue ("p"), "1.5, -2");
	EXPECT_EQ (*a.getAttributeValue ("r"), "0.5, 1, 2.25, 3");
	IViewCreator::ConstStringPtrList values;
	EXPECT_TRUE (UIViewCreator::getStandardAttributeListValues ("orientation", values));
	ASSERT_EQ (values.size (), 2u);
	EXPECT_EQ (*values.front (), "horizontal");
	EXPECT_EQ (*values.back (), "vertical");
	values.clear ();
	EXPECT_FALSE (UIViewCreator::getStandardAttributeListValues ("no-such-list", values));
	EXPECT_TRUE (values.empty ());
}
