// Small helpers shared by the GUI library tests.
#pragma once

#include "../common/localerun.h"
#include "vstgui/vstgui.h"
#include <cairo.h>
#include <gtest/gtest.h>
#include <charconv>
#include <string>
#include <vector>

namespace VSTGUI {
namespace Test {

// Four significant digits with a point, like printf's "%.4g" in the "C" locale; the tests'
// logs must read the same when the tests run under a comma-decimal locale.
inline std::string fmt (double v)
{
	char b[32];
	return std::string (b, std::to_chars (b, b + sizeof (b), v, std::chars_format::general, 4).ptr);
}

// Records what a control tells its listeners, one line per call.
class RecordingListener : public IControlListener
{
public:
	void valueChanged (CControl* c) override { events.push_back ("change " + fmt (c->getValue ())); }
	void controlBeginEdit (CControl*) override { events.push_back ("begin"); }
	void controlEndEdit (CControl*) override { events.push_back ("end"); }
	std::vector<std::string> events;
};

// Switches the run loop to the manual clock for the lifetime of the object.
struct ManualClock
{
	ManualClock () { RunLoop::instance ().setManualClock (true); }
	~ManualClock () { RunLoop::instance ().setManualClock (false); }
	void advance (uint64_t ms) { RunLoop::instance ().advance (ms); }
};

// An editor interface with a chosen knob mode.
class TestEditor : public VSTGUIEditorInterface
{
public:
	explicit TestEditor (int32_t knobMode = kCircularMode) : knobMode (knobMode) {}
	int32_t getKnobMode () const override { return knobMode; }
	int32_t knobMode;
};

// A frame of the given size with an editor; forgets the frame at the end.
struct FrameFixture
{
	explicit FrameFixture (CCoord w = 200, CCoord h = 200, int32_t knobMode = kCircularMode)
	: editor (knobMode), frame (new CFrame (CRect (0, 0, w, h), &editor))
	{
	}
	~FrameFixture () { frame->close (); }
	TestEditor editor;
	CFrame* frame;
};

// Writes a PNG filled with one colour per horizontal band (each band rows pixels tall).
inline bool writeBandsPNG (const std::string& path, int width, int rows, const std::vector<CColor>& bands)
{
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, width, rows * static_cast<int> (bands.size ()));
	cairo_t* cr = cairo_create (s);
	for (size_t i = 0; i < bands.size (); ++i)
	{
		const CColor& c = bands[i];
		cairo_set_source_rgba (cr, c.red / 255., c.green / 255., c.blue / 255., c.alpha / 255.);
		cairo_rectangle (cr, 0, static_cast<double> (i) * rows, width, rows);
		cairo_fill (cr);
	}
	cairo_destroy (cr);
	bool ok = cairo_surface_write_to_png (s, path.c_str ()) == CAIRO_STATUS_SUCCESS;
	cairo_surface_destroy (s);
	return ok;
}

inline std::string outputPath (const std::string& name)
{
	return std::string (VSTGUI_TEST_OUTPUT_DIR) + "/" + localeRunFilePrefix () + name;
}

} // Test
} // VSTGUI
