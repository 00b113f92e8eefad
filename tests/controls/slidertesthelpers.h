// Small doubles shared by the slider tests: a listener that records the edit protocol, a
// bitmap that records where it is drawn, a slider that counts redraw requests and
// resizes, and an assertion handler that records what it is given.
#pragma once

#include "source/controls/cslider.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/vstguidebug.h"
#include <string>
#include <vector>

namespace SliderTest {

using namespace VSTGUI;

// Records begin / value / end as the host would see them through the editor binding.
struct RecordingListener : IControlListener
{
	struct Event
	{
		char kind; // 'b' begin, 'v' value, 'e' end
		float value;
	};
	std::vector<Event> events;

	void valueChanged (CControl* c) override { events.push_back ({'v', c->getValue ()}); }
	void controlBeginEdit (CControl* c) override { events.push_back ({'b', c->getValue ()}); }
	void controlEndEdit (CControl* c) override { events.push_back ({'e', c->getValue ()}); }

	// "bve" style summary of the protocol.
	std::string kinds () const
	{
		std::string s;
		for (const auto& e : events)
			s += e.kind;
		return s;
	}
	int count (char kind) const
	{
		int n = 0;
		for (const auto& e : events)
			n += e.kind == kind;
		return n;
	}
	void clear () { events.clear (); }
};

// A bitmap of a given size that records its draw calls and then draws as usual.
class RecordingBitmap : public CBitmap
{
public:
	struct Call
	{
		CRect rect;
		CPoint offset;
		float alpha;
	};
	RecordingBitmap (CCoord w, CCoord h) : CBitmap (w, h) {}
	void draw (CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha) override
	{
		calls.push_back ({rect, offset, alpha});
		CBitmap::draw (context, rect, offset, alpha);
	}
	std::vector<Call> calls;
};

// Exposes the protected geometry setters and counts invalid () and setViewSize ().
class ProbeSlider : public CSlider
{
public:
	using CSlider::CSlider;
	using CSliderBase::setHandleMinPosPrivate;
	using CSliderBase::setHandleRangePrivate;
	using CSliderBase::setHandleSizePrivate;

	void invalid () override
	{
		++invalidCount;
		CSlider::invalid ();
	}
	void setViewSize (const CRect& rect, bool inv = true) override
	{
		++setViewSizeCount;
		CSlider::setViewSize (rect, inv);
	}
	int invalidCount {0};
	int setViewSizeCount {0};
};

// Installs an assertion handler for the lifetime of the object.
class AssertionRecorder
{
public:
	struct Report
	{
		std::string file;
		std::string line;
		bool hasDescription;
		std::string description;
	};

	explicit AssertionRecorder (bool throwing = false)
	{
		reports ().clear ();
		setAssertionHandler (throwing ? &recordAndThrow : &record);
	}
	~AssertionRecorder () { setAssertionHandler (nullptr); }
	AssertionRecorder (const AssertionRecorder&) = delete;
	AssertionRecorder& operator= (const AssertionRecorder&) = delete;

	static std::vector<Report>& reports ()
	{
		static std::vector<Report> r;
		return r;
	}

	struct Thrown
	{
	};

private:
	static void record (const char* file, const char* line, const char* desc)
	{
		reports ().push_back ({file ? file : "", line ? line : "", desc != nullptr, desc ? desc : ""});
	}
	static void recordAndThrow (const char* file, const char* line, const char* desc)
	{
		record (file, line, desc);
		throw Thrown {};
	}
};

} // namespace SliderTest
