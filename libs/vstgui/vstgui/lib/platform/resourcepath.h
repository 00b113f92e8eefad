#pragma once

#include <string>

namespace VSTGUI {

// The bundle's Resources folder, from which UI descriptions and bitmaps load. The
// plug-in's module entry sets it (Contents/Resources of the bundle); until then it is
// the current directory. Absolute names bypass it.
void setResourcePath (const std::string& folder);
const std::string& getResourcePath ();
// name resolved against the resources folder.
std::string resolveResourcePath (const std::string& name);

} // VSTGUI
