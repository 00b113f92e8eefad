#pragma once

// Version texts of the plug-in, shared by the factory and the about view.
#define PLUG_VERSION_STR "2.0.0.0"
#define PLUG_VERSION_SHORT_STR "2.0.0"
#define PLUG_VENDOR_STR "TOLMAR Soft"
// Neutral placeholders: the reserved example domain points at no real site.
#define PLUG_VENDOR_URL_STR "https://www.example.com/"
#define PLUG_VENDOR_EMAIL_STR "mailto:info@example.com"
