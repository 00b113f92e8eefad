// State, modes, handle geometry, construction and copies of the slider family.
#include "slidertesthelpers.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <limits>
#include <typeinfo>

using namespace VSTGUI;
using namespace SliderTest;

namespace {

SharedPointer<CBitmap> makeBitmap (CCoord w, CCoord h) { return makeOwned<CBitmap> (w, h); }

struct Geometry
{
	CCoord handleMinPos, handleRange, minPos, maxPos;
};

void expectGeometry (const CSliderBase& s, const Geometry& g)
{
	EXPECT_DOUBLE_EQ (s.getHandleMinPosPrivate (), g.handleMinPos);
	EXPECT_DOUBLE_EQ (s.getHandleRangePrivate (), g.handleRange);
	EXPECT_DOUBLE_EQ (s.getMinPosPrivate (), g.minPos);
	EXPECT_DOUBLE_EQ (s.getMaxPosPrivate (), g.maxPos);
}

} // namespace

TEST (SliderModes, NewSliderFollowsTheGlobalTSFreeClickMode)
{
	auto s = makeOwned<CSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, nullptr, nullptr);
	EXPECT_EQ (CSliderBase::getGlobalMode (), CSliderMode::TSFreeClick);
	EXPECT_EQ (s->getSliderMode (), CSliderMode::UseGlobal);
	EXPECT_EQ (s->getEffectiveSliderMode (), CSliderMode::TSFreeClick);

	s->setSliderMode (CSliderMode::Ramp);
	EXPECT_EQ (static_cast<int32_t> (s->getSliderMode ()), 4);
	EXPECT_EQ (s->getEffectiveSliderMode (), CSliderMode::Ramp);
}

TEST (SliderModes, EnumerationNumbersAreFixed)
{
	EXPECT_EQ (static_cast<int32_t> (CSliderMode::Touch), 0);
	EXPECT_EQ (static_cast<int32_t> (CSliderMode::RelativeTouch), 1);
	EXPECT_EQ (static_cast<int32_t> (CSliderMode::FreeClick), 2);
	EXPECT_EQ (static_cast<int32_t> (CSliderMode::TSFreeClick), 3);
	EXPECT_EQ (static_cast<int32_t> (CSliderMode::Ramp), 4);
	EXPECT_EQ (static_cast<int32_t> (CSliderMode::UseGlobal), 5);
}

TEST (SliderModes, SettingTheGlobalModeToUseGlobalIsReportedAndStored)
{
	auto s = makeOwned<CSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, nullptr, nullptr);
	{
		AssertionRecorder recorder;
		CSliderBase::setGlobalMode (CSliderMode::UseGlobal);
		ASSERT_EQ (AssertionRecorder::reports ().size (), 1u);
		const auto& r = AssertionRecorder::reports ()[0];
		EXPECT_EQ (r.file, "cslider.cpp"); // the unit's name, not the build machine's path
		EXPECT_FALSE (r.line.empty ());
		EXPECT_EQ (r.description, "do not set the global mode to use global");
		EXPECT_EQ (CSliderBase::getGlobalMode (), CSliderMode::UseGlobal);
		EXPECT_EQ (s->getEffectiveSliderMode (), CSliderMode::UseGlobal);

		CSliderBase::setGlobalMode (CSliderMode::Touch);
		EXPECT_EQ (AssertionRecorder::reports ().size (), 1u);
		EXPECT_EQ (s->getEffectiveSliderMode (), CSliderMode::Touch);
	}
	CSliderBase::setGlobalMode (CSliderMode::TSFreeClick);
}

TEST (SliderStyle, AnOrientationOtherThanExactlyOneIsReportedAndStillStored)
{
	auto s = makeOwned<CSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, nullptr, nullptr);
	AssertionRecorder recorder;
	for (int32_t style : {0, kHorizontal | kVertical | kRight})
	{
		AssertionRecorder::reports ().clear ();
		s->setStyle (style);
		ASSERT_EQ (AssertionRecorder::reports ().size (), 1u) << style;
		EXPECT_EQ (AssertionRecorder::reports ()[0].file, "cslider.cpp");
		EXPECT_FALSE (AssertionRecorder::reports ()[0].hasDescription);
		EXPECT_EQ (s->getStyle (), style);
	}
	// Both bits: counts as horizontal.
	EXPECT_TRUE (s->isStyleHorizontal ());
	EXPECT_TRUE (s->isInverseStyle ());

	AssertionRecorder::reports ().clear ();
	s->setStyle (kVertical | kTop);
	EXPECT_TRUE (AssertionRecorder::reports ().empty ());
	EXPECT_TRUE (s->isInverseStyle ());
	EXPECT_FALSE (s->isStyleBottom ());
}

TEST (SliderGeometry, SetViewSizeDerivesTheTravelAlongTheAxis)
{
	auto s = makeOwned<CSlider> (CRect (0, 0, 0, 0), nullptr, 0, 0, 0, nullptr, nullptr);
	s->setViewSize (CRect (30, 40, 130, 60));
	expectGeometry (*s, {0, 99, 0, 100});

	auto handle = makeBitmap (20, 10);
	s->setHandle (handle);
	expectGeometry (*s, {0, 80, 0, 100});

	CRect r = s->calculateHandleRect (0.5f);
	EXPECT_EQ (r, CRect (30 + 40, 40, 30 + 60, 40 + 10));

	s->setStyle (kRight | kHorizontal);
	EXPECT_DOUBLE_EQ (s->calculateHandleRect (0.25f).left, 30 + 60);

	// Floor, not rounding: 0.0124 * 80 < 1 <= 0.0125 * 80.
	s->setStyle (kLeft | kHorizontal);
	EXPECT_DOUBLE_EQ (s->calculateHandleRect (0.0124f).left, 30 + 0);
	EXPECT_DOUBLE_EQ (s->calculateHandleRect (0.0125f).left, 30 + 1);
}

TEST (SliderGeometry, VerticalBottomSliderPutsTheMinimumAtTheBottom)
{
	auto handle = makeBitmap (10, 20);
	auto s = makeOwned<CSlider> (CRect (5, 50, 15, 150), nullptr, 0, 0, 0, handle, nullptr,
	                             CPoint (0, 0), kBottom | kVertical);
	s->setViewSize (CRect (5, 50, 15, 150));
	expectGeometry (*s, {0, 80, 0, 100});
	EXPECT_EQ (s->calculateHandleRect (0.f), CRect (5, 50 + 80, 15, 50 + 100));
	EXPECT_EQ (s->calculateHandleRect (1.f), CRect (5, 50 + 0, 15, 50 + 20));
}

TEST (SliderGeometry, HandleOffsetShortensTheTravelAtTheNextResize)
{
	auto handle = makeBitmap (20, 10);
	auto s = makeOwned<CSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, handle, nullptr);
	expectGeometry (*s, {0, 80, 0, 100});

	s->setOffsetHandle (CPoint (5, 3));
	// Only the positions follow; the travel waits for the next setViewSize.
	expectGeometry (*s, {0, 80, 5, 105});
	s->setViewSize (CRect (0, 0, 100, 20));
	expectGeometry (*s, {0, 70, 5, 95});
	EXPECT_DOUBLE_EQ (s->calculateHandleRect (0.f).top, 3);
	EXPECT_DOUBLE_EQ (s->calculateHandleRect (0.f).left, 5);
	EXPECT_DOUBLE_EQ (s->calculateHandleRect (1.f).right, 95);
}

TEST (SliderGeometry, HandleLargerThanTheViewStaysAtMinPosAndIsCut)
{
	auto handle = makeBitmap (20, 10);
	auto s = makeOwned<CSlider> (CRect (0, 0, 10, 10), nullptr, 0, 0, 0, handle, nullptr);
	s->setViewSize (CRect (0, 0, 10, 10));
	expectGeometry (*s, {0, -10, 0, 10});
	for (float v : {0.f, 0.7f, 1.f})
	{
		CRect r = s->calculateHandleRect (v);
		EXPECT_DOUBLE_EQ (r.left, 0) << v;
		EXPECT_DOUBLE_EQ (r.right, 10) << v;
	}
}

TEST (SliderGeometry, ProtectedSettersRestoreMinAndMaxPos)
{
	auto s = makeOwned<ProbeSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, nullptr, nullptr);
	s->setHandleSizePrivate (12, 8);
	s->setHandleRangePrivate (50);
	s->setHandleMinPosPrivate (7);
	expectGeometry (*s, {7, 50, 7, 7 + 50 + 12});
	EXPECT_EQ (s->getHandleSizePrivate (), CPoint (12, 8));
	EXPECT_EQ (s->getControlSizePrivate (), CPoint (100, 20));

	// Changing the axis alone does not move the positions; the next change does.
	s->setStyle (kVertical | kBottom);
	expectGeometry (*s, {7, 50, 7, 69});
	s->setHandleRangePrivate (50);
	expectGeometry (*s, {7, 50, 7, 7 + 50 + 8});
}

// The constructors' geometry, in both forms and with and without a handle bitmap.
TEST (SliderConstruction, TheTwoFormsSetTheHandleTravel)
{
	auto handle = makeBitmap (20, 10);
	struct Case
	{
		const char* name;
		SharedPointer<CSlider> slider;
		CPoint handleSize;
		Geometry geometry;
	};
	const Case cases[] = {
	    {"view creator's call",
	     makeOwned<CSlider> (CRect (0, 0, 0, 0), nullptr, -1, 0, 0, nullptr, nullptr, CPoint (0, 0),
	                         kLeft | kHorizontal),
	     CPoint (1, 1), {0, 0, 0, 1}},
	    {"first form vertical",
	     makeOwned<CSlider> (CRect (0, 10, 20, 130), nullptr, 0, 15, 115, handle, nullptr,
	                         CPoint (0, 0), kBottom | kVertical),
	     CPoint (20, 10), {5, 100, 5, 115}},
	    {"second form with handle",
	     makeOwned<CSlider> (CRect (0, 0, 120, 20), nullptr, 0, CPoint (4, 2), 100, handle, nullptr,
	                         CPoint (0, 0), kLeft | kHorizontal),
	     CPoint (20, 10), {0, 80, 4, 104}},
	    {"second form without handle",
	     makeOwned<CSlider> (CRect (0, 0, 120, 20), nullptr, 0, CPoint (4, 2), 100, nullptr, nullptr,
	                         CPoint (0, 0), kLeft | kHorizontal),
	     CPoint (1, 1), {0, 99, 4, 104}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		EXPECT_EQ (c.slider->getHandleSizePrivate (), c.handleSize);
		expectGeometry (*c.slider, c.geometry);
	}
}

TEST (SliderConstruction, ViewCreatorCallGivesTheDefaultAppearance)
{
	auto s = makeOwned<CSlider> (CRect (0, 0, 0, 0), nullptr, -1, 0, 0, nullptr, nullptr,
	                             CPoint (0, 0), kLeft | kHorizontal);
	EXPECT_EQ (s->getStyle (), kLeft | kHorizontal);
	EXPECT_EQ (s->getOffset (), CPoint (0, 0));
	EXPECT_EQ (s->getOffsetHandle (), CPoint (0, 0));
	EXPECT_DOUBLE_EQ (s->getFrameWidth (), 1.0);
	EXPECT_EQ (s->getDrawStyle (), 0);
	EXPECT_EQ (s->getFrameColor (), CColor (127, 127, 127, 255));
	EXPECT_EQ (s->getBackColor (), CColor (0, 0, 0, 255));
	EXPECT_EQ (s->getValueColor (), CColor (255, 255, 255, 255));
	EXPECT_FLOAT_EQ (s->getZoomFactor (), 10.f);
	EXPECT_EQ (s->getSliderMode (), CSliderMode::UseGlobal);
	EXPECT_TRUE (s->wantsFocus ());
	EXPECT_EQ (s->getHandle (), nullptr);
	EXPECT_EQ (s->getBackground (), nullptr);
	EXPECT_EQ (s->getTag (), -1);
}

TEST (SliderConstruction, ExtremePositionsDoNotWrapAround)
{
	auto s = makeOwned<CSlider> (CRect (0, 0, 100, 20), nullptr, 0,
	                             std::numeric_limits<int32_t>::min (),
	                             std::numeric_limits<int32_t>::max (), nullptr, nullptr);
	EXPECT_DOUBLE_EQ (s->getHandleRangePrivate (), 4294967295.0);
	// The handle position stays finite and on the travel at both ends.
	EXPECT_DOUBLE_EQ (s->calculateHandleRect (1.f).left, 4294967295.0);
}

TEST (SliderConstruction, OrientationSubclassesOrTheirBitIntoTheStyle)
{
	auto v = makeOwned<CVerticalSlider> (CRect (0, 0, 20, 100), nullptr, 0, 0, 80, nullptr, nullptr,
	                                     CPoint (0, 0), kBottom);
	EXPECT_EQ (v->getStyle (), 0x22);
	auto h = makeOwned<CHorizontalSlider> (CRect (0, 0, 100, 20), nullptr, 0, CPoint (0, 0), 100,
	                                       nullptr, nullptr, CPoint (0, 0), 0);
	EXPECT_EQ (h->getStyle (), 0x01);

	AssertionRecorder recorder;
	auto both = makeOwned<CVerticalSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, nullptr,
	                                        nullptr, CPoint (0, 0), kLeft | kHorizontal);
	EXPECT_EQ (both->getStyle (), 0x07);
	EXPECT_EQ (AssertionRecorder::reports ().size (), 1u);
	EXPECT_TRUE (both->isStyleHorizontal ());
	// Acts horizontal: the 1-pixel handle's trailing edge is limited along x.
	EXPECT_DOUBLE_EQ (both->getMaxPosPrivate (), 0 + 80 + 1);
}

TEST (SliderConstruction, ThrowingAssertionHandlerUndoesThePartlyBuiltSlider)
{
	auto background = makeBitmap (100, 20);
	auto handle = makeBitmap (20, 10);
	const auto backgroundRefs = background->getNbReference ();
	const auto handleRefs = handle->getNbReference ();
	{
		AssertionRecorder recorder (true);
		EXPECT_THROW (new CSlider (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, handle, background,
		                           CPoint (0, 0), 0),
		              AssertionRecorder::Thrown);
	}
	EXPECT_EQ (background->getNbReference (), backgroundRefs);
	EXPECT_EQ (handle->getNbReference (), handleRefs);
}

TEST (SliderConstruction, BitmapsAreReferencedWhileTheSliderLives)
{
	auto background = makeBitmap (100, 20);
	auto handle = makeBitmap (20, 10);
	{
		auto s = makeOwned<CSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, handle, background);
		EXPECT_EQ (handle->getNbReference (), 2);
		EXPECT_EQ (background->getNbReference (), 2);
		EXPECT_EQ (s->getBackground (), background.get ());
	}
	EXPECT_EQ (handle->getNbReference (), 1);
	EXPECT_EQ (background->getNbReference (), 1);
}

TEST (SliderCopy, CopyHasItsOwnStateAndSharesTheHandleBitmap)
{
	auto handle = makeBitmap (20, 10);
	auto original = makeOwned<CVerticalSlider> (CRect (0, 10, 20, 130), nullptr, 3, 15, 115, handle,
	                                            nullptr, CPoint (2, 3), kBottom);
	original->setSliderMode (CSliderMode::Ramp);
	original->setZoomFactor (4.f);
	original->setFrameColor (CColor (1, 2, 3, 4));
	original->setDrawStyle (CSlider::kDrawBack);
	original->setValue (0.25f);

	auto copy = owned (original->newCopy ());
	EXPECT_EQ (typeid (*copy.get ()), typeid (CSlider));
	auto* s = dynamic_cast<CSlider*> (copy.get ());
	ASSERT_NE (s, nullptr);
	EXPECT_EQ (handle->getNbReference (), 3);
	EXPECT_EQ (s->getStyle (), kBottom | kVertical);
	EXPECT_EQ (s->getSliderMode (), CSliderMode::Ramp);
	EXPECT_FLOAT_EQ (s->getZoomFactor (), 4.f);
	EXPECT_EQ (s->getOffset (), CPoint (2, 3));
	EXPECT_EQ (s->getFrameColor (), CColor (1, 2, 3, 4));
	EXPECT_EQ (s->getDrawStyle (), CSlider::kDrawBack);
	EXPECT_FLOAT_EQ (s->getValue (), 0.25f);
	EXPECT_EQ (s->getTag (), 3);
	expectGeometry (*s, {5, 100, 5, 115});
	EXPECT_EQ (s->getHandle (), handle.get ());
	EXPECT_EQ (s->calculateHandleRect (0.3f), original->calculateHandleRect (0.3f));

	// Independent state records.
	s->setFrameColor (CColor (9, 9, 9, 9));
	s->setSliderMode (CSliderMode::Touch);
	s->setViewSize (CRect (0, 0, 20, 60));
	EXPECT_EQ (original->getFrameColor (), CColor (1, 2, 3, 4));
	EXPECT_EQ (original->getSliderMode (), CSliderMode::Ramp);
	expectGeometry (*original, {5, 100, 5, 115});

	original = nullptr;
	EXPECT_EQ (handle->getNbReference (), 2);
	EXPECT_EQ (s->getHandle ()->getWidth (), 20);
	copy = nullptr;
	EXPECT_EQ (handle->getNbReference (), 1);
}

TEST (SliderCopy, CopyOfAGlobalModeSliderStillFollowsTheGlobalMode)
{
	auto original = makeOwned<CSlider> (CRect (0, 0, 100, 20), nullptr, 0, 0, 80, nullptr, nullptr);
	auto copy = owned (static_cast<CSlider*> (original->newCopy ()));
	EXPECT_EQ (copy->getSliderMode (), CSliderMode::UseGlobal);
	EXPECT_EQ (copy->getEffectiveSliderMode (), CSliderMode::TSFreeClick);
	EXPECT_EQ (copy->getHandle (), nullptr);
}
