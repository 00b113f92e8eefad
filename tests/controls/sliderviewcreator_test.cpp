// The "CSlider" view creator and the slider attributes of the UI description.
#include "slidertesthelpers.h"
#include "../common/localerun.h"

#include "source/controls/sliderviewcreator.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uidescription.h"
#include "vstgui/uidescription/uiviewfactory.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <fstream>

using namespace VSTGUI;
using namespace SliderTest;

namespace {

const IViewCreator& sliderCreator ()
{
	const IViewCreator* c = UIViewFactory::getViewCreator ("CSlider");
	if (!c)
		throw std::runtime_error ("no CSlider creator registered");
	return *c;
}

SharedPointer<CSlider> createSlider ()
{
	UIAttributes none;
	auto view = owned (sliderCreator ().create (none, nullptr));
	return SharedPointer<CSlider> (dynamic_cast<CSlider*> (view.get ()));
}

UIAttributes attributes (std::initializer_list<std::pair<const char*, const char*>> list)
{
	UIAttributes a;
	for (const auto& p : list)
		a.setAttribute (p.first, p.second);
	return a;
}

std::string valueOf (CView* view, const std::string& name, const IUIDescription* desc = nullptr)
{
	std::string value = "<none>";
	if (!sliderCreator ().getAttributeValue (view, name, value, desc))
		return "<false>";
	return value;
}

} // namespace

TEST (SliderViewCreator, IsRegisteredUnderItsNames)
{
	const IViewCreator& c = sliderCreator ();
	EXPECT_STREQ (c.getViewName (), "CSlider");
	EXPECT_STREQ (c.getBaseViewName (), "CControl");
	EXPECT_STREQ (c.getDisplayName (), "Slider");
	EXPECT_NE (dynamic_cast<const UIViewCreator::SliderBaseCreator*> (&c), nullptr);
}

TEST (SliderViewCreator, CreatesADefaultSliderThatFollowsTheGlobalMode)
{
	auto s = createSlider ();
	ASSERT_TRUE (s);
	EXPECT_EQ (s->getStyle (), kLeft | kHorizontal);
	EXPECT_EQ (s->getTag (), -1);
	EXPECT_EQ (s->getViewSize (), CRect (0, 0, 0, 0));
	EXPECT_EQ (s->getHandleSizePrivate (), CPoint (1, 1));
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 0);
	EXPECT_DOUBLE_EQ (s->getMaxPosPrivate (), 1);
	EXPECT_EQ (s->getListener (), nullptr);
	EXPECT_EQ (valueOf (s, "mode"), "use global");
	EXPECT_EQ (s->getEffectiveSliderMode (), CSliderMode::TSFreeClick);
}

TEST (SliderViewCreator, ModeTextsSelectTheirPositionExactly)
{
	struct Case
	{
		const char* text;
		CSliderMode mode;
	};
	// Starting from Ramp, so that "no match" is visible.
	const Case cases[] = {
	    {"touch", CSliderMode::Touch},
	    {"relative touch", CSliderMode::RelativeTouch},
	    {"free click", CSliderMode::FreeClick},
	    {"TS free click", CSliderMode::TSFreeClick},
	    {"ramp", CSliderMode::Ramp},
	    {"use global", CSliderMode::UseGlobal},
	    {"Touch", CSliderMode::Ramp},
	    {"ts free click", CSliderMode::Ramp},
	    {"TS free click ", CSliderMode::Ramp},
	    {"", CSliderMode::Ramp},
	    {"3", CSliderMode::Ramp},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.text);
		auto s = createSlider ();
		s->setSliderMode (CSliderMode::Ramp);
		EXPECT_TRUE (sliderCreator ().apply (s, attributes ({{"mode", c.text}}), nullptr));
		EXPECT_EQ (s->getSliderMode (), c.mode);
	}
}

TEST (SliderViewCreator, FreeClickIsReadBeforeMode)
{
	struct Case
	{
		UIAttributes attrs;
		CSliderMode mode;
	};
	const Case cases[] = {
	    {attributes ({{"free-click", "true"}}), CSliderMode::FreeClick},
	    {attributes ({{"free-click", "false"}}), CSliderMode::Touch},
	    {attributes ({{"free-click", "TRUE"}}), CSliderMode::Touch},
	    {attributes ({{"free-click", "true"}, {"mode", "ramp"}}), CSliderMode::Ramp},
	    {attributes ({{"free-click", "true"}, {"mode", "nonsense"}}), CSliderMode::FreeClick},
	    {attributes ({}), CSliderMode::UseGlobal},
	};
	for (const auto& c : cases)
	{
		auto s = createSlider ();
		EXPECT_TRUE (sliderCreator ().apply (s, c.attrs, nullptr));
		EXPECT_EQ (s->getSliderMode (), c.mode);
	}
}

TEST (SliderViewCreator, OrientationAndReversal)
{
	struct Case
	{
		const char* orientation; // null: attribute absent
		const char* reverse;
		int32_t style;
		const char* orientationText;
		const char* reverseText;
	};
	const Case cases[] = {
	    {"vertical", nullptr, kLeft | kVertical, "vertical", "false"},
	    {"vertical", "true", kLeft | kVertical | kTop, "vertical", "true"},
	    {"vertical", "false", kLeft | kVertical | kBottom, "vertical", "false"},
	    {"horizontal", "true", kRight | kHorizontal, "horizontal", "true"},
	    {"horizontal", "no", kLeft | kHorizontal, "horizontal", "false"},
	    {"Vertical", nullptr, kLeft | kHorizontal, "horizontal", "false"},
	    {"diagonal", "true", kRight | kHorizontal, "horizontal", "true"},
	    {nullptr, "true", kRight | kHorizontal, "horizontal", "true"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (::testing::Message () << (c.orientation ? c.orientation : "-") << " / "
		                                    << (c.reverse ? c.reverse : "-"));
		auto s = createSlider ();
		UIAttributes a;
		if (c.orientation)
			a.setAttribute ("orientation", c.orientation);
		if (c.reverse)
			a.setAttribute ("reverse-orientation", c.reverse);
		EXPECT_TRUE (sliderCreator ().apply (s, a, nullptr));
		EXPECT_EQ (s->getStyle (), c.style);
		EXPECT_EQ (valueOf (s, "orientation"), c.orientationText);
		EXPECT_EQ (valueOf (s, "reverse-orientation"), c.reverseText);
	}
}

TEST (SliderViewCreator, AStyleWithoutOrientationIsLeftAloneByTheReversal)
{
	auto s = createSlider ();
	AssertionRecorder recorder;
	s->setStyle (kLeft);
	EXPECT_TRUE (sliderCreator ().apply (s, attributes ({{"reverse-orientation", "true"}}), nullptr));
	EXPECT_EQ (s->getStyle (), kLeft);
}

TEST (SliderViewCreator, TextsReadBackApplyToTheSameTexts)
{
	const char* modes[] = {"touch", "relative touch", "free click", "TS free click", "ramp", "use global"};
	for (const char* mode : modes)
	{
		for (const char* orientation : {"horizontal", "vertical"})
		{
			for (const char* reverse : {"true", "false"})
			{
				auto s = createSlider ();
				sliderCreator ().apply (s,
				                        attributes ({{"mode", mode},
				                                     {"orientation", orientation},
				                                     {"reverse-orientation", reverse},
				                                     {"handle-offset", "4, 2.5"},
				                                     {"zoom-factor", "2.5"}}),
				                        nullptr);
				auto copy = createSlider ();
				UIAttributes back;
				for (const char* name :
				     {"mode", "orientation", "reverse-orientation", "handle-offset", "zoom-factor"})
					back.setAttribute (name, valueOf (s, name));
				sliderCreator ().apply (copy, back, nullptr);
				for (const char* name :
				     {"mode", "orientation", "reverse-orientation", "handle-offset", "zoom-factor"})
					EXPECT_EQ (valueOf (copy, name), valueOf (s, name)) << name;
				EXPECT_EQ (valueOf (s, "mode"), mode);
				EXPECT_EQ (valueOf (s, "orientation"), orientation);
				EXPECT_EQ (valueOf (s, "reverse-orientation"), reverse);
				EXPECT_EQ (valueOf (s, "handle-offset"), "4, 2.5");
				EXPECT_EQ (valueOf (s, "zoom-factor"), "2.5");
				EXPECT_EQ (copy->getStyle (), s->getStyle ());
			}
		}
	}
}

TEST (SliderViewCreator, NumbersAndPoints)
{
	auto s = createSlider ();
	sliderCreator ().apply (s, attributes ({{"zoom-factor", "0.1"}, {"handle-offset", "3, 7"}}),
	                        nullptr);
	EXPECT_FLOAT_EQ (s->getZoomFactor (), 0.1f);
	// Single precision, widened and written with six decimals.
	EXPECT_EQ (valueOf (s, "zoom-factor"), "0.1");
	EXPECT_EQ (s->getOffsetHandle (), CPoint (3, 7));

	// Texts that do not parse leave the values alone.
	sliderCreator ().apply (s, attributes ({{"zoom-factor", "much"}, {"handle-offset", "3"}}), nullptr);
	EXPECT_FLOAT_EQ (s->getZoomFactor (), 0.1f);
	EXPECT_EQ (s->getOffsetHandle (), CPoint (3, 7));
}

TEST (SliderViewCreator, GeometryFollowsOrientationAndHandleOffsetAppliedAfterTheSize)
{
	// The order the factory uses: size (view creator), handle bitmap, then the slider
	// attributes. The handle must travel along the new axis, inside the offset.
	auto handle = makeOwned<CBitmap> (20, 20);
	auto s = createSlider ();
	s->setViewSize (CRect (0, 0, 20, 120), false);
	s->setHandle (handle);
	EXPECT_TRUE (sliderCreator ().apply (
	    s, attributes ({{"orientation", "vertical"}, {"reverse-orientation", "false"}}), nullptr));
	EXPECT_EQ (s->getStyle (), kLeft | kVertical | kBottom);
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 100);
	EXPECT_DOUBLE_EQ (s->getMaxPosPrivate (), 120);
	EXPECT_EQ (s->calculateHandleRect (1.f), CRect (0, 0, 20, 20));
	EXPECT_EQ (s->calculateHandleRect (0.f), CRect (0, 100, 20, 120));

	EXPECT_TRUE (sliderCreator ().apply (s, attributes ({{"handle-offset", "0, 5"}}), nullptr));
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 90);
	EXPECT_EQ (s->calculateHandleRect (0.f), CRect (0, 95, 20, 115));
	EXPECT_EQ (s->calculateHandleRect (1.f), CRect (0, 5, 20, 25));
}

TEST (SliderViewCreator, ListsAndTypes)
{
	const IViewCreator& c = sliderCreator ();
	IViewCreator::ConstStringPtrList modes;
	ASSERT_TRUE (c.getPossibleListValues ("mode", modes));
	std::vector<std::string> names;
	for (const auto* m : modes)
		names.push_back (*m);
	EXPECT_EQ (names, (std::vector<std::string> {"touch", "relative touch", "free click",
	                                              "TS free click", "ramp", "use global"}));
	IViewCreator::ConstStringPtrList again;
	c.getPossibleListValues ("mode", again);
	EXPECT_EQ (again.front (), modes.front ());

	IViewCreator::ConstStringPtrList orientations;
	ASSERT_TRUE (c.getPossibleListValues ("orientation", orientations));
	ASSERT_EQ (orientations.size (), 2u);
	EXPECT_EQ (*orientations.front (), "horizontal");
	EXPECT_EQ (*orientations.back (), "vertical");

	IViewCreator::ConstStringPtrList other;
	EXPECT_FALSE (c.getPossibleListValues ("draw-frame", other));
	EXPECT_TRUE (other.empty ());

	struct TypeCase
	{
		const char* name;
		IViewCreator::AttrType type;
	};
	const TypeCase types[] = {
	    {"mode", IViewCreator::kListType},
	    {"orientation", IViewCreator::kListType},
	    {"reverse-orientation", IViewCreator::kBooleanType},
	    {"handle-offset", IViewCreator::kPointType},
	    {"zoom-factor", IViewCreator::kFloatType},
	    {"free-click", IViewCreator::kUnknownType},
	    {"handle-bitmap", IViewCreator::kBitmapType},
	    {"bitmap-offset", IViewCreator::kPointType},
	    {"draw-frame", IViewCreator::kBooleanType},
	    {"draw-value-inverted", IViewCreator::kBooleanType},
	    {"frame-width", IViewCreator::kFloatType},
	    {"frame-color", IViewCreator::kColorType},
	    {"back-color", IViewCreator::kColorType},
	    {"value-color", IViewCreator::kColorType},
	    {"no-such-attribute", IViewCreator::kUnknownType},
	};
	for (const auto& t : types)
		EXPECT_EQ (c.getAttributeType (t.name), t.type) << t.name;

	IViewCreator::StringList attributeNames;
	EXPECT_TRUE (c.getAttributeNames (attributeNames));
	std::vector<std::string> list (attributeNames.begin (), attributeNames.end ());
	ASSERT_GE (list.size (), 5u);
	EXPECT_EQ (std::vector<std::string> (list.begin (), list.begin () + 5),
	           (std::vector<std::string> {"mode", "orientation", "reverse-orientation", "handle-offset",
	                                      "zoom-factor"}));
	EXPECT_EQ (std::count (list.begin (), list.end (), "free-click"), 0);
	EXPECT_EQ (std::count (list.begin (), list.end (), "value-color"), 1);
}

TEST (SliderViewCreator, OtherViewsAreRefused)
{
	auto view = makeOwned<CView> (CRect (0, 0, 10, 10));
	EXPECT_FALSE (sliderCreator ().apply (view, attributes ({{"mode", "ramp"}}), nullptr));
	std::string value = "unchanged";
	EXPECT_FALSE (sliderCreator ().getAttributeValue (view, "mode", value, nullptr));
	EXPECT_EQ (value, "unchanged");
	EXPECT_FALSE (sliderCreator ().apply (nullptr, attributes ({}), nullptr));

	auto s = createSlider ();
	EXPECT_EQ (valueOf (s, "free-click"), "<false>");
	EXPECT_EQ (valueOf (s, "no-such-attribute"), "<false>");
}

TEST (SliderViewCreator, AStoredModeWithoutANameHasNoText)
{
	auto s = createSlider ();
	s->setSliderMode (static_cast<CSliderMode> (17));
	EXPECT_EQ (valueOf (s, "mode"), "<false>");
}

TEST (SliderViewCreator, AppearanceAttributes)
{
	auto s = createSlider ();
	auto a = attributes ({{"draw-frame", "true"},
	                      {"draw-back", "true"},
	                      {"draw-value", "true"},
	                      {"draw-value-from-center", "false"},
	                      {"draw-value-inverted", "true"},
	                      {"frame-width", "2.5"},
	                      {"frame-color", "#ff000080"},
	                      {"back-color", "#00ff00"},
	                      {"value-color", "#0000ffff"},
	                      {"bitmap-offset", "5, 6"}});
	EXPECT_TRUE (sliderCreator ().apply (s, a, nullptr));
	EXPECT_EQ (s->getDrawStyle (), CSlider::kDrawFrame | CSlider::kDrawBack | CSlider::kDrawValue |
	                                   CSlider::kDrawInverted);
	EXPECT_DOUBLE_EQ (s->getFrameWidth (), 2.5);
	EXPECT_EQ (s->getFrameColor (), CColor (255, 0, 0, 128));
	EXPECT_EQ (s->getBackColor (), CColor (0, 255, 0, 255));
	EXPECT_EQ (s->getValueColor (), CColor (0, 0, 255, 255));
	EXPECT_EQ (s->getOffset (), CPoint (5, 6));

	EXPECT_EQ (valueOf (s, "draw-frame"), "true");
	EXPECT_EQ (valueOf (s, "draw-value-from-center"), "false");
	EXPECT_EQ (valueOf (s, "draw-value-inverted"), "true");
	EXPECT_EQ (valueOf (s, "frame-width"), "2.5");
	EXPECT_EQ (valueOf (s, "frame-color"), "#ff000080");
	EXPECT_EQ (valueOf (s, "bitmap-offset"), "5, 6");
	EXPECT_EQ (valueOf (s, "handle-bitmap"), "");

	// A bit that is not mentioned keeps its state; "false" clears it.
	sliderCreator ().apply (s, attributes ({{"draw-back", "false"}}), nullptr);
	EXPECT_EQ (s->getDrawStyle (), CSlider::kDrawFrame | CSlider::kDrawValue | CSlider::kDrawInverted);
}

// Through the UI description reader, as the editor builds its sliders.
class SliderFromDescription : public ::testing::Test
{
protected:
	void SetUp () override
	{
		// One file per test process: ctest runs the tests of this suite in parallel.
		handlePath = ::testing::TempDir () + localeRunFilePrefix () + "ord3l_slider_handle_" +
		             ::testing::UnitTest::GetInstance ()->current_test_info ()->name () + ".png";
		auto bmp = makeOwned<CBitmap> (20, 20);
		ASSERT_TRUE (bmp->writePNG (handlePath));
	}
	void TearDown () override { std::remove (handlePath.c_str ()); }

	SharedPointer<UIDescription> parse (const std::string& sliderAttributes)
	{
		const std::string xml =
		    "<vstgui-ui-description version=\"1\">\n"
		    "  <bitmaps><bitmap name=\"handle\" path=\"" +
		    handlePath +
		    "\"/></bitmaps>\n"
		    "  <colors><color name=\"green\" rgba=\"#00ff00ff\"/></colors>\n"
		    "  <template name=\"view\" class=\"CViewContainer\" size=\"200, 200\">\n"
		    "    <view class=\"CSlider\" origin=\"10, 10\" size=\"20, 120\" " +
		    sliderAttributes +
		    "/>\n"
		    "  </template>\n"
		    "</vstgui-ui-description>\n";
		auto desc = makeOwned<UIDescription> ();
		EXPECT_TRUE (desc->parseBuffer (xml.data (), xml.size ())) << desc->getLastError ();
		return desc;
	}
	SharedPointer<CSlider> build (UIDescription& desc)
	{
		auto view = owned (desc.createView ("view", nullptr));
		EXPECT_TRUE (view) << desc.getLastError ();
		if (!view)
			return {};
		container = SharedPointer<CView> (view);
		std::vector<CSlider*> sliders;
		view->asViewContainer ()->getChildViewsOfType<CSlider> (sliders);
		EXPECT_EQ (sliders.size (), 1u);
		return sliders.empty () ? SharedPointer<CSlider> () : SharedPointer<CSlider> (sliders[0]);
	}

	std::string handlePath;
	SharedPointer<CView> container;
};

TEST_F (SliderFromDescription, AVerticalTSFreeClickSliderIsBuiltWithItsGeometry)
{
	auto desc = parse ("mode=\"TS free click\" orientation=\"vertical\" handle-bitmap=\"handle\" "
	                   "draw-value=\"true\" value-color=\"green\" bitmap-offset=\"1, 2\"");
	auto s = build (*desc);
	ASSERT_TRUE (s);
	EXPECT_EQ (s->getSliderMode (), CSliderMode::TSFreeClick);
	EXPECT_EQ (s->getStyle (), kLeft | kVertical);
	EXPECT_EQ (s->getViewSize (), CRect (10, 10, 30, 130));
	EXPECT_EQ (s->getHandleSizePrivate (), CPoint (20, 20));
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 100);
	EXPECT_EQ (s->getDrawStyle (), CSlider::kDrawValue);
	EXPECT_EQ (s->getValueColor (), CColor (0, 255, 0, 255));
	EXPECT_EQ (s->getOffset (), CPoint (1, 2));

	// Read back through the factory with the description's names.
	UIViewFactory factory;
	std::string value;
	ASSERT_TRUE (factory.getAttributeValue (s, "CSlider", "handle-bitmap", value, desc));
	EXPECT_EQ (value, "handle");
	ASSERT_TRUE (factory.getAttributeValue (s, "CSlider", "value-color", value, desc));
	EXPECT_EQ (value, "green");
	ASSERT_TRUE (factory.getAttributeValue (s, "CSlider", "mode", value, desc));
	EXPECT_EQ (value, "TS free click");
}

TEST_F (SliderFromDescription, WithoutAModeTheSliderUsesTheGlobalMode)
{
	auto desc = parse ("");
	auto s = build (*desc);
	ASSERT_TRUE (s);
	EXPECT_EQ (s->getSliderMode (), CSliderMode::UseGlobal);
	EXPECT_EQ (s->getEffectiveSliderMode (), CSliderMode::TSFreeClick);
	EXPECT_EQ (s->getStyle (), kLeft | kHorizontal);
}
