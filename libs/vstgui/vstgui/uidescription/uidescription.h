#pragma once

#include "iuidescription.h"
#include "uiattributes.h"
#include "../lib/cresourcedescription.h"
#include "../lib/ccolor.h"
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {

// A UI description in the library's XML format (root "vstgui-ui-description"):
// bitmaps, colors, fonts, control-tags and templates of nested views. parse () reads
// the file named by the resource description (relative to the resources folder) or
// parseBuffer () a text in memory; both fail with a message (getLastError) on a missing
// or malformed file, an element without its required attributes, a colour or tag that
// does not parse, or a bitmap file that cannot be loaded. createView builds a template;
// it fails (null, message) on an unknown class, an unknown bitmap, colour, font or tag
// name, or an attribute of a known type that does not parse.
class UIDescription : public NonAtomicReferenceCounted, public IUIDescription
{
public:
	explicit UIDescription (const CResourceDescription& xmlFile, IViewFactory* viewFactory = nullptr);
	UIDescription ();
	~UIDescription () noexcept override;

	virtual bool parse ();
	bool parseBuffer (const char* data, size_t size);
	bool isParsed () const { return parsed; }

	// Builds the template name with controller in charge (may be null). The caller owns
	// the returned view's reference.
	CView* createView (UTF8StringPtr name, IController* controller) const;
	bool hasTemplate (UTF8StringPtr name) const;
	std::vector<std::string> getTemplateNames () const;
	// Attributes of a template element, or null.
	const UIAttributes* getViewAttributes (UTF8StringPtr name) const;

	const std::string& getLastError () const { return lastError; }
	const std::string& getFilePath () const { return filePath; }

	void setController (IController* controller) const { this->controller = controller; }

	// IUIDescription
	CBitmap* getBitmap (UTF8StringPtr name) const override;
	CFontRef getFont (UTF8StringPtr name) const override;
	bool getColor (UTF8StringPtr name, CColor& color) const override;
	int32_t getTagForName (UTF8StringPtr name) const override;
	IControlListener* getControlListener (UTF8StringPtr name) const override;
	IController* getController () const override { return controller; }
	UTF8StringPtr lookupColorName (const CColor& color) const override;
	UTF8StringPtr lookupFontName (const CFontRef font) const override;
	UTF8StringPtr lookupBitmapName (const CBitmap* bitmap) const override;
	UTF8StringPtr lookupControlTagName (const int32_t tag) const override;
	const IViewFactory* getViewFactory () const override;

	// Limits that keep hostile input cheap.
	static constexpr size_t kMaxFileSize = 16 * 1024 * 1024;
	static constexpr int kMaxViewDepth = 64;

	struct Node
	{
		std::string name; // element name
		SharedPointer<UIAttributes> attributes;
		std::vector<std::unique_ptr<Node>> children;
		int line {0};
	};

private:
	class Parser;
	friend class Parser;

	void clear ();
	bool setError (const std::string& message) const;
	bool loadResources ();
	CView* buildView (const Node& node, int depth) const;
	bool checkAttributes (const Node& node, const std::string& className) const;

	CResourceDescription xmlFile;
	std::string fileName;
	std::string filePath;
	SharedPointer<UIViewFactory> ownFactory;
	IViewFactory* viewFactory {nullptr};
	std::unique_ptr<Node> root;
	std::map<std::string, SharedPointer<CBitmap>> bitmaps;
	std::map<std::string, CColor> colors;
	std::map<std::string, SharedPointer<CFontDesc>> fonts;
	std::map<std::string, int32_t> tags;
	std::map<std::string, const Node*> templates;
	mutable IController* controller {nullptr};
	mutable std::string lastError;
	bool parsed {false};
};

} // VSTGUI
