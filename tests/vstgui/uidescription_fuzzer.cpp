// libFuzzer entry: parse arbitrary bytes as a UI description and build every template.
#include "vstgui/uidescription/uidescription.h"
#include "vstgui/lib/cview.h"
#include "vstgui/lib/coffscreencontext.h"
#include <cstdint>
#include <cstddef>

using namespace VSTGUI;

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
	auto desc = owned (new UIDescription ());
	if (!desc->parseBuffer (reinterpret_cast<const char*> (data), size))
		return 0;
	for (const auto& name : desc->getTemplateNames ())
	{
		if (CView* view = desc->createView (name.c_str (), nullptr))
		{
			if (auto ctx = COffscreenContext::create (CPoint (32, 32)))
				view->draw (ctx);
			view->forget ();
		}
	}
	return 0;
}
