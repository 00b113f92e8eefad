#include "resourcepath.h"

namespace VSTGUI {

namespace {
std::string& resourceFolder ()
{
	static std::string folder;
	return folder;
}
} // namespace

void setResourcePath (const std::string& folder)
{
	std::string f = folder;
	while (f.size () > 1 && f.back () == '/')
		f.pop_back ();
	resourceFolder () = f;
}

const std::string& getResourcePath () { return resourceFolder (); }

std::string resolveResourcePath (const std::string& name)
{
	if (name.empty () || name.front () == '/' || resourceFolder ().empty ())
		return name;
	return resourceFolder () + "/" + name;
}

} // VSTGUI
