// Renders the editor offscreen into a PNG file (the picture in the README):
//   ord3l_rendereditor <resource folder> <output.png>
// The controller gets a new processor's state with a few bands moved, so that the
// picture shows the controls at work, and the about line is switched on.

#include "source/controller/plugaboutcontroller.h"
#include "source/controller/plugcontroller.h"
#include "source/processor/plugids.h"
#include "source/processor/plugstate.h"

#include "public.sdk/source/common/memorystream.h"
#include "vstgui/lib/platform/resourcepath.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <cstdio>

using namespace Steinberg;
using namespace Steinberg::Vst;

int main (int argc, char** argv)
{
	if (argc != 3)
	{
		std::fprintf (stderr, "usage: %s <resource folder> <output.png>\n", argv[0]);
		return 2;
	}
	VSTGUI::setResourcePath (argv[1]);

	auto* controller = new PlugController ();
	controller->initialize (nullptr);

	PlugState record = makeInitialPlugState ();
	record.bands[kBandLF].gainNorm = 0.5 + 3.0 / 32.0;   // +3 dB
	record.bands[kBandMF2].gainNorm = 0.5 - 4.5 / 32.0;  // -4.5 dB
	record.bands[kBandMF2].freqNorm = 0.42;
	record.bands[kBandMF3].gainNorm = 0.5 + 2.0 / 32.0;  // +2 dB
	record.bands[kBandMF3].qNorm = 0.3;
	record.bands[kBandMF4].enabled = false;
	record.bands[kBandHF].gainNorm = 0.5 + 5.0 / 32.0;   // +5 dB
	record.bands[kBandHF].freqNorm = 0.62;
	record.levelNorm = 0.75 - 1.5 / 48.0;                // -1.5 dB
	auto stream = owned (new MemoryStream ());
	writePlugState (&record, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	controller->setComponentState (stream);

	int result = 1;
	IPlugView* view = controller->createView (ViewType::kEditor);
	if (auto* editor = dynamic_cast<VSTGUI::VST3Editor*> (view))
	{
		if (editor->openOffscreen ())
		{
			for (auto* about : controller->getAboutControllers ())
				if (auto* button = about->getButton ())
				{
					button->setValue (button->getMax ());
					button->valueChanged ();
				}
			if (editor->renderToPNG (argv[2]))
				result = 0;
		}
		if (result != 0)
			std::fprintf (stderr, "ord3l_rendereditor: %s\n", editor->getLastError ().c_str ());
		editor->close ();
	}
	if (view)
		view->release ();
	controller->terminate ();
	controller->release ();
	return result;
}
