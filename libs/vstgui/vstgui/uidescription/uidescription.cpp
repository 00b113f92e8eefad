#include "uidescription.h"
#include "icontroller.h"
#include "uiviewfactory.h"
#include "detail/uiviewcreatorattributes.h"
#include "../lib/cbitmap.h"
#include "../lib/cfont.h"
#include "../lib/cviewcontainer.h"
#include "../lib/platform/resourcepath.h"
#include <expat.h>
#include <cstdio>
#include <fstream>
#include <string>

namespace VSTGUI {

namespace {

const std::string kRootName = "vstgui-ui-description";

struct BuiltinColor
{
	const char* name;
	CColor color;
};
const BuiltinColor kBuiltinColors[] = {
    {"~ BlackCColor", kBlackCColor},   {"~ WhiteCColor", kWhiteCColor},   {"~ GreyCColor", kGreyCColor},
    {"~ RedCColor", kRedCColor},       {"~ GreenCColor", kGreenCColor},   {"~ BlueCColor", kBlueCColor},
    {"~ YellowCColor", kYellowCColor}, {"~ CyanCColor", kCyanCColor},     {"~ MagentaCColor", kMagentaCColor},
    {"~ TransparentCColor", kTransparentCColor},
};

struct BuiltinFont
{
	const char* name;
	const CFontRef* font;
};
const BuiltinFont kBuiltinFonts[] = {
    {"~ SystemFont", &kSystemFont},           {"~ NormalFontVeryBig", &kNormalFontVeryBig},
    {"~ NormalFontBig", &kNormalFontBig},     {"~ NormalFont", &kNormalFont},
    {"~ NormalFontSmall", &kNormalFontSmall}, {"~ NormalFontSmaller", &kNormalFontSmaller},
    {"~ NormalFontVerySmall", &kNormalFontVerySmall}, {"~ SymbolFont", &kSymbolFont},
};

std::string dirName (const std::string& path)
{
	size_t pos = path.rfind ('/');
	return pos == std::string::npos ? std::string () : path.substr (0, pos);
}

} // namespace

//------------------------------------------------------------------------
// Builds the element tree with expat. Elements nest at most kMaxDepth deep.
class UIDescription::Parser
{
public:
	static constexpr int kMaxDepth = UIDescription::kMaxViewDepth + 8;

	bool parse (const char* data, size_t size, std::unique_ptr<Node>& result, std::string& error)
	{
		XML_Parser parser = XML_ParserCreate (nullptr);
		if (!parser)
		{
			error = "out of memory";
			return false;
		}
		this->parser = parser;
		XML_SetUserData (parser, this);
		XML_SetElementHandler (parser, &Parser::startElement, &Parser::endElement);
		bool ok = XML_Parse (parser, data, static_cast<int> (size), XML_TRUE) == XML_STATUS_OK;
		if (!ok)
		{
			if (ownError.empty ())
			{
				error = "line " + std::to_string (XML_GetCurrentLineNumber (parser)) + ": " +
				        XML_ErrorString (XML_GetErrorCode (parser));
			}
			else
				error = ownError;
		}
		XML_ParserFree (parser);
		if (ok && !rootNode)
		{
			error = "no root element";
			ok = false;
		}
		if (ok)
			result = std::move (rootNode);
		return ok;
	}

private:
	static void XMLCALL startElement (void* userData, const XML_Char* name, const XML_Char** atts)
	{
		auto* self = static_cast<Parser*> (userData);
		if (static_cast<int> (self->stack.size ()) >= kMaxDepth)
		{
			self->ownError =
			    "line " + std::to_string (XML_GetCurrentLineNumber (self->parser)) + ": elements nested too deeply";
			XML_StopParser (self->parser, XML_FALSE);
			return;
		}
		auto node = std::make_unique<Node> ();
		node->name = name;
		node->attributes = owned (new UIAttributes ());
		node->line = static_cast<int> (XML_GetCurrentLineNumber (self->parser));
		for (int i = 0; atts[i] && atts[i + 1]; i += 2)
			node->attributes->setAttribute (atts[i], atts[i + 1]);
		Node* raw = node.get ();
		if (self->stack.empty ())
			self->rootNode = std::move (node);
		else
			self->stack.back ()->children.push_back (std::move (node));
		self->stack.push_back (raw);
	}

	static void XMLCALL endElement (void* userData, const XML_Char*)
	{
		auto* self = static_cast<Parser*> (userData);
		if (!self->stack.empty ())
			self->stack.pop_back ();
	}

	XML_Parser parser {nullptr};
	std::unique_ptr<Node> rootNode;
	std::vector<Node*> stack;
	std::string ownError;
};

//------------------------------------------------------------------------
UIDescription::UIDescription (const CResourceDescription& xmlFile, IViewFactory* viewFactory)
: xmlFile (xmlFile), viewFactory (viewFactory)
{
	if (xmlFile.type == CResourceDescription::kStringType && xmlFile.u.name)
		fileName = xmlFile.u.name;
	if (!this->viewFactory)
	{
		ownFactory = owned (new UIViewFactory ());
		this->viewFactory = ownFactory;
	}
}

UIDescription::UIDescription () : UIDescription (CResourceDescription ()) {}

UIDescription::~UIDescription () noexcept = default;

void UIDescription::clear ()
{
	root.reset ();
	bitmaps.clear ();
	colors.clear ();
	fonts.clear ();
	tags.clear ();
	templates.clear ();
	parsed = false;
}

bool UIDescription::setError (const std::string& message) const
{
	lastError = (fileName.empty () ? std::string ("UI description") : fileName) + ": " + message;
	return false;
}

bool UIDescription::parse ()
{
	clear ();
	if (fileName.empty ())
		return setError ("no file name");
	filePath = resolveResourcePath (fileName);
	std::ifstream in (filePath, std::ios::binary);
	if (!in)
		return setError ("cannot open '" + filePath + "'");
	std::string content;
	char buffer[65536];
	while (in.read (buffer, sizeof (buffer)) || in.gcount () > 0)
	{
		content.append (buffer, static_cast<size_t> (in.gcount ()));
		if (content.size () > kMaxFileSize)
			return setError ("file larger than the limit");
	}
	if (in.bad ())
		return setError ("cannot read '" + filePath + "'");
	return parseBuffer (content.data (), content.size ());
}

bool UIDescription::parseBuffer (const char* data, size_t size)
{
	clear ();
	lastError.clear ();
	if (!data || size == 0)
		return setError ("empty description");
	if (size > kMaxFileSize)
		return setError ("description larger than the limit");
	Parser parser;
	std::string error;
	std::unique_ptr<Node> tree;
	if (!parser.parse (data, size, tree, error))
		return setError ("malformed XML: " + error);
	if (tree->name != kRootName)
		return setError ("the root element is '" + tree->name + "', not '" + kRootName + "'");
	root = std::move (tree);
	if (!loadResources ())
	{
		clear ();
		return false;
	}
	parsed = true;
	return true;
}

bool UIDescription::loadResources ()
{
	auto where = [] (const Node& n) { return "line " + std::to_string (n.line) + ": "; };
	for (const auto& section : root->children)
	{
		const std::string& kind = section->name;
		if (kind == "bitmaps")
		{
			for (const auto& n : section->children)
			{
				if (n->name != "bitmap")
					continue;
				const std::string* name = n->attributes->getAttributeValue ("name");
				const std::string* path = n->attributes->getAttributeValue ("path");
				if (!name || name->empty () || !path || path->empty ())
					return setError (where (*n) + "a bitmap needs a name and a path");
				auto bitmap = owned (new CBitmap (CResourceDescription (path->c_str ())));
				if (!bitmap->isLoaded () && path->front () != '/' && !filePath.empty ())
				{
					// Beside the description file, for descriptions outside the resources.
					std::string dir = dirName (filePath);
					if (!dir.empty ())
						bitmap = owned (new CBitmap (CResourceDescription ((dir + "/" + *path).c_str ())));
				}
				if (!bitmap->isLoaded ())
					return setError (where (*n) + "bitmap '" + *name + "': cannot load '" + *path + "'");
				bitmaps[*name] = bitmap;
			}
		}
		else if (kind == "colors")
		{
			for (const auto& n : section->children)
			{
				if (n->name != "color")
					continue;
				const std::string* name = n->attributes->getAttributeValue ("name");
				const std::string* rgba = n->attributes->getAttributeValue ("rgba");
				if (!rgba)
					rgba = n->attributes->getAttributeValue ("rgb");
				CColor color;
				if (!name || name->empty () || !rgba)
					return setError (where (*n) + "a color needs a name and an rgba value");
				if (!parseHexColor (rgba->c_str (), color))
					return setError (where (*n) + "color '" + *name + "': '" + *rgba + "' is not #rrggbb or #rrggbbaa");
				colors[*name] = color;
			}
		}
		else if (kind == "fonts")
		{
			for (const auto& n : section->children)
			{
				if (n->name != "font")
					continue;
				const std::string* name = n->attributes->getAttributeValue ("name");
				const std::string* family = n->attributes->getAttributeValue ("font-name");
				if (!name || name->empty () || !family || family->empty ())
					return setError (where (*n) + "a font needs a name and a font-name");
				double size = 12.;
				if (const std::string* s = n->attributes->getAttributeValue ("size"))
					if (!UIAttributes::stringToDouble (*s, size) || size <= 0. || size > 1000.)
						return setError (where (*n) + "font '" + *name + "': bad size '" + *s + "'");
				int32_t style = 0;
				bool b = false;
				if (n->attributes->getBooleanAttribute ("bold", b) && b)
					style |= kBoldFace;
				if (n->attributes->getBooleanAttribute ("italic", b) && b)
					style |= kItalicFace;
				if (n->attributes->getBooleanAttribute ("underline", b) && b)
					style |= kUnderlineFace;
				fonts[*name] = owned (new CFontDesc (family->c_str (), size, style));
			}
		}
		else if (kind == "control-tags")
		{
			for (const auto& n : section->children)
			{
				if (n->name != "control-tag")
					continue;
				const std::string* name = n->attributes->getAttributeValue ("name");
				const std::string* tag = n->attributes->getAttributeValue ("tag");
				int32_t value = 0;
				if (!name || name->empty () || !tag)
					return setError (where (*n) + "a control-tag needs a name and a tag");
				if (!UIAttributes::stringToInteger (*tag, value) || value < 0)
					return setError (where (*n) + "control-tag '" + *name + "': '" + *tag + "' is not a number");
				tags[*name] = value;
			}
		}
		else if (kind == "template")
		{
			const std::string* name = section->attributes->getAttributeValue ("name");
			if (!name || name->empty ())
				return setError (where (*section) + "a template needs a name");
			templates[*name] = section.get ();
		}
	}
	return true;
}

bool UIDescription::hasTemplate (UTF8StringPtr name) const
{
	return name && templates.find (name) != templates.end ();
}

std::vector<std::string> UIDescription::getTemplateNames () const
{
	std::vector<std::string> names;
	for (auto& t : templates)
		names.push_back (t.first);
	return names;
}

const UIAttributes* UIDescription::getViewAttributes (UTF8StringPtr name) const
{
	if (!name)
		return nullptr;
	auto it = templates.find (name);
	return it == templates.end () ? nullptr : it->second->attributes.get ();
}

CView* UIDescription::createView (UTF8StringPtr name, IController* inController) const
{
	if (!parsed)
	{
		setError ("not parsed");
		return nullptr;
	}
	if (!name || templates.find (name) == templates.end ())
	{
		setError (std::string ("no template named '") + (name ? name : "") + "'");
		return nullptr;
	}
	lastError.clear ();
	IController* saved = controller;
	controller = inController;
	CView* view = buildView (*templates.find (name)->second, 0);
	controller = saved;
	return view;
}

bool UIDescription::checkAttributes (const Node& node, const std::string& className) const
{
	auto* factory = dynamic_cast<const UIViewFactory*> (viewFactory);
	if (!factory)
		return true;
	std::string at = "line " + std::to_string (node.line) + ": " + className + ": ";
	for (const auto& attr : *node.attributes)
	{
		const std::string& n = attr.first;
		const std::string& v = attr.second;
		CPoint p;
		CRect r;
		double d;
		int32_t i;
		CColor c;
		switch (factory->getAttributeType (className.c_str (), n))
		{
			case IViewCreator::kPointType:
				if (!UIAttributes::stringToPoint (v, p))
					return setError (at + "'" + n + "' is not a point: '" + v + "'");
				break;
			case IViewCreator::kRectType:
				if (!UIAttributes::stringToRect (v, r))
					return setError (at + "'" + n + "' is not a rectangle: '" + v + "'");
				break;
			case IViewCreator::kFloatType:
				if (!UIAttributes::stringToDouble (v, d))
					return setError (at + "'" + n + "' is not a number: '" + v + "'");
				break;
			case IViewCreator::kIntegerType:
				if (!UIAttributes::stringToInteger (v, i))
					return setError (at + "'" + n + "' is not an integer: '" + v + "'");
				break;
			case IViewCreator::kColorType:
				if (!getColor (v.c_str (), c))
					return setError (at + "unknown colour '" + v + "' in '" + n + "'");
				break;
			case IViewCreator::kBitmapType:
				if (!v.empty () && !getBitmap (v.c_str ()))
					return setError (at + "unknown bitmap '" + v + "' in '" + n + "'");
				break;
			case IViewCreator::kFontType:
				if (!getFont (v.c_str ()))
					return setError (at + "unknown font '" + v + "' in '" + n + "'");
				break;
			case IViewCreator::kTagType:
				if (!v.empty () && getTagForName (v.c_str ()) == -1 && !UIAttributes::stringToInteger (v, i))
					return setError (at + "unknown control tag '" + v + "'");
				break;
			default:
				// Booleans and list values take the library's reading of any text.
				break;
		}
	}
	return true;
}

CView* UIDescription::buildView (const Node& node, int depth) const
{
	const UIAttributes& attributes = *node.attributes;
	std::string at = "line " + std::to_string (node.line) + ": ";
	if (depth > kMaxViewDepth)
	{
		setError (at + "views nested too deeply");
		return nullptr;
	}
	const std::string* classAttr = attributes.getAttributeValue (UIViewCreator::kAttrClass);
	if (!classAttr || classAttr->empty ())
	{
		setError (at + "a view needs a class");
		return nullptr;
	}
	const std::string className = *classAttr;
	if (!UIViewFactory::getViewCreator (className.c_str ()))
	{
		setError (at + "unknown view class '" + className + "'");
		return nullptr;
	}
	if (!checkAttributes (node, className))
		return nullptr;

	IController* parentController = controller;
	IController* subController = nullptr;
	if (const std::string* subName = attributes.getAttributeValue (UIViewCreator::kAttrSubController))
	{
		if (controller && !subName->empty ())
			subController = controller->createSubController (subName->c_str (), this);
		if (subController)
			controller = subController;
	}
	// Undoes the sub-controller when this view cannot be built.
	auto fail = [&] () -> CView* {
		controller = parentController;
		delete subController;
		return nullptr;
	};

	CView* view = nullptr;
	if (attributes.hasAttribute (UIViewCreator::kAttrCustomViewName) && controller)
	{
		view = controller->createView (attributes, this);
		if (view && !viewFactory->applyCustomViewAttributeValues (view, className.c_str (), attributes, this))
		{
			// A custom view of another kind than the class says: keep it, with the
			// attributes its own class understands applied by its creator chain.
		}
	}
	if (!view)
		view = viewFactory->createView (attributes, this);
	if (!view)
	{
		setError (at + "cannot create a view of class '" + className + "'");
		return fail ();
	}

	bool hasChildViews = false;
	for (const auto& child : node.children)
		if (child->name == "view")
			hasChildViews = true;
	if (hasChildViews)
	{
		auto* container = view->asViewContainer ();
		if (!container)
		{
			view->forget ();
			setError (at + "'" + className + "' cannot hold views");
			return fail ();
		}
		for (const auto& child : node.children)
		{
			if (child->name != "view")
				continue;
			CView* childView = buildView (*child, depth + 1);
			if (!childView)
			{
				view->forget ();
				return fail ();
			}
			container->addView (childView);
		}
	}

	if (controller)
	{
		CView* verified = controller->verifyView (view, attributes, this);
		if (verified != view)
		{
			if (!verified)
			{
				view->forget ();
				setError (at + "the controller rejected the view of class '" + className + "'");
				return fail ();
			}
			// The controller replaced the view; the original is no longer ours.
			view = verified;
		}
	}
	controller = parentController;
	if (subController)
		view->setAttribute (kCViewControllerAttribute, sizeof (subController), &subController);
	return view;
}

//------------------------------------------------------------------------
CBitmap* UIDescription::getBitmap (UTF8StringPtr name) const
{
	if (!name)
		return nullptr;
	auto it = bitmaps.find (name);
	return it == bitmaps.end () ? nullptr : it->second.get ();
}

CFontRef UIDescription::getFont (UTF8StringPtr name) const
{
	if (!name)
		return nullptr;
	auto it = fonts.find (name);
	if (it != fonts.end ())
		return it->second.get ();
	for (const auto& f : kBuiltinFonts)
		if (std::string (f.name) == name)
			return *f.font;
	return nullptr;
}

bool UIDescription::getColor (UTF8StringPtr name, CColor& color) const
{
	if (!name)
		return false;
	auto it = colors.find (name);
	if (it != colors.end ())
	{
		color = it->second;
		return true;
	}
	for (const auto& c : kBuiltinColors)
		if (std::string (c.name) == name)
		{
			color = c.color;
			return true;
		}
	return parseHexColor (name, color);
}

int32_t UIDescription::getTagForName (UTF8StringPtr name) const
{
	if (!name)
		return -1;
	auto it = tags.find (name);
	int32_t tag = it == tags.end () ? -1 : it->second;
	if (controller)
		tag = controller->getTagForName (name, tag);
	return tag;
}

IControlListener* UIDescription::getControlListener (UTF8StringPtr name) const
{
	return controller ? controller->getControlListener (name) : nullptr;
}

UTF8StringPtr UIDescription::lookupColorName (const CColor& color) const
{
	for (const auto& c : colors)
		if (c.second == color)
			return c.first.c_str ();
	return nullptr;
}

UTF8StringPtr UIDescription::lookupFontName (const CFontRef font) const
{
	if (!font)
		return nullptr;
	for (const auto& f : fonts)
		if (f.second.get () == font || *f.second == *font)
			return f.first.c_str ();
	for (const auto& f : kBuiltinFonts)
		if (*f.font == font)
			return f.name;
	return nullptr;
}

UTF8StringPtr UIDescription::lookupBitmapName (const CBitmap* bitmap) const
{
	for (const auto& b : bitmaps)
		if (b.second.get () == bitmap)
			return b.first.c_str ();
	return nullptr;
}

UTF8StringPtr UIDescription::lookupControlTagName (const int32_t tag) const
{
	for (const auto& t : tags)
		if (t.second == tag)
			return t.first.c_str ();
	return nullptr;
}

const IViewFactory* UIDescription::getViewFactory () const { return viewFactory; }

} // VSTGUI
