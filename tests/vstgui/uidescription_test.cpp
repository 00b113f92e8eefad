#include "testsupport.h"
#include "vstgui/uidescription/uidescription.h"
#include "vstgui/uidescription/uiviewfactory.h"
#include "vstgui/uidescription/uiviewcreator.h"
#include "vstgui/uidescription/icontroller.h"
#include <cstring>
#include <fstream>
#include <random>

using namespace VSTGUI;

namespace {

const char* kValidDescription = R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <bitmaps>
    <bitmap name="frames" path="frames.png"/>
  </bitmaps>
  <fonts>
    <font name="label" font-name="DejaVu Sans" size="11" bold="true"/>
  </fonts>
  <colors>
    <color name="panel" rgba="#202428ff"/>
    <color name="accent" rgba="#e0a030"/>
  </colors>
  <control-tags>
    <control-tag name="Gain" tag="3"/>
    <control-tag name="Mode" tag="7"/>
  </control-tags>
  <template name="view" class="CViewContainer" origin="0, 0" size="200, 100" background-color="panel">
    <view class="CKnob" origin="10, 10" size="40, 40" control-tag="Gain" default-value="0.25" handle-color="accent" angle-start="135" angle-range="270"/>
    <view class="CVerticalSwitch" origin="60, 10" size="20, 20" control-tag="Mode" bitmap="frames" height-of-one-image="20"/>
    <view class="CViewContainer" origin="100, 0" size="100, 100" sub-controller="Sub" background-color="~ BlackCColor">
      <view class="CTextLabel" origin="0, 0" size="100, 20" title="hello" font="label" font-color="#ffffff"/>
      <view class="COnOffButton" origin="0, 30" size="20, 20" control-tag="12"/>
    </view>
  </template>
</vstgui-ui-description>
)";

// A folder of its own per test, holding the description's bitmap.
std::string makeResources (const std::string& name)
{
	std::string dir = VSTGUI::Test::outputPath ("uidesc-" + name);
	std::string cmd = "mkdir -p '" + dir + "'";
	EXPECT_EQ (std::system (cmd.c_str ()), 0);
	EXPECT_TRUE (VSTGUI::Test::writeBandsPNG (dir + "/frames.png", 20, 20, {kRedCColor, kGreenCColor, kBlueCColor}));
	setResourcePath (dir);
	return dir;
}

std::string replaced (std::string text, const std::string& from, const std::string& to)
{
	size_t pos = text.find (from);
	EXPECT_NE (pos, std::string::npos) << from;
	if (pos != std::string::npos)
		text.replace (pos, from.size (), to);
	return text;
}

struct Log
{
	std::vector<std::string> entries;
	int subControllersAlive = 0;
};

class SubController : public IController
{
public:
	explicit SubController (Log& log) : log (log) { ++log.subControllersAlive; }
	~SubController () override
	{
		--log.subControllersAlive;
		log.entries.push_back ("sub deleted");
	}
	void valueChanged (CControl*) override {}
	CView* verifyView (CView* view, const UIAttributes& attributes, const IUIDescription*) override
	{
		log.entries.push_back ("sub verify " + *attributes.getAttributeValue ("class"));
		return view;
	}
	Log& log;
};

class MainController : public IController
{
public:
	explicit MainController (Log& log) : log (log) {}
	void valueChanged (CControl*) override {}
	CView* verifyView (CView* view, const UIAttributes& attributes, const IUIDescription*) override
	{
		log.entries.push_back ("verify " + *attributes.getAttributeValue ("class"));
		return view;
	}
	IController* createSubController (UTF8StringPtr name, const IUIDescription*) override
	{
		log.entries.push_back (std::string ("create sub ") + name);
		return std::string (name) == "Sub" ? new SubController (log) : nullptr;
	}
	Log& log;
};

template <class T>
T* findView (CViewContainer* root)
{
	std::vector<T*> views;
	root->getChildViewsOfType<T> (views, true);
	return views.empty () ? nullptr : views.front ();
}

} // namespace

TEST (UIDescriptionTest, BuildsATemplateWithItsResourcesAndControllers)
{
	makeResources ("valid");
	auto desc = owned (new UIDescription ());
	ASSERT_TRUE (desc->parseBuffer (kValidDescription, std::strlen (kValidDescription))) << desc->getLastError ();
	Log log;
	MainController controller (log);
	auto view = owned (desc->createView ("view", &controller));
	ASSERT_TRUE (view) << desc->getLastError ();
	auto* root = view->asViewContainer ();
	ASSERT_NE (root, nullptr);
	EXPECT_EQ (root->getViewSize (), CRect (0, 0, 200, 100));
	EXPECT_EQ (root->getBackgroundColor (), CColor (0x20, 0x24, 0x28, 0xff));

	auto* knob = findView<CKnob> (root);
	ASSERT_NE (knob, nullptr);
	EXPECT_EQ (knob->getViewSize (), CRect (10, 10, 50, 50));
	EXPECT_EQ (knob->getTag (), 3);
	EXPECT_EQ (knob->getDefaultValue (), 0.25f);
	EXPECT_EQ (knob->getColorHandle (), CColor (0xe0, 0xa0, 0x30, 0xff));
	EXPECT_NEAR (knob->getStartAngle (), -135. * M_PI / 180., 1e-5);
	EXPECT_EQ (knob->getListener (), &controller);

	auto* sw = findView<CVerticalSwitch> (root);
	ASSERT_NE (sw, nullptr);
	EXPECT_EQ (sw->getTag (), 7);
	EXPECT_EQ (sw->getNumSubPixmaps (), 3);
	EXPECT_EQ (sw->getBackground (), desc->getBitmap ("frames"));

	auto* label = findView<CTextLabel> (root);
	ASSERT_NE (label, nullptr);
	EXPECT_EQ (label->getText (), "hello");
	EXPECT_EQ (label->getFont ()->getSize (), 11.);
	EXPECT_EQ (label->getFont ()->getStyle (), kBoldFace);
	auto* button = findView<COnOffButton> (root);
	ASSERT_NE (button, nullptr);
	EXPECT_EQ (button->getTag (), 12);
	EXPECT_NE (button->getListener (), &controller); // the sub-controller's part

	// Each view after the views inside it; the sub-controller verifies its own part.
	EXPECT_EQ (log.entries, (std::vector<std::string> {"verify CKnob", "verify CVerticalSwitch", "create sub Sub",
	                                                    "sub verify CTextLabel", "sub verify COnOffButton",
	                                                    "sub verify CViewContainer", "verify CViewContainer"}));
	EXPECT_EQ (log.subControllersAlive, 1);
	view = nullptr; // the view that carries it deletes the sub-controller
	EXPECT_EQ (log.subControllersAlive, 0);

	EXPECT_STREQ (desc->lookupControlTagName (7), "Mode");
	EXPECT_STREQ (desc->lookupColorName (CColor (0xe0, 0xa0, 0x30, 0xff)), "accent");
	CColor c;
	EXPECT_TRUE (desc->getColor ("~ WhiteCColor", c));
	EXPECT_EQ (c, kWhiteCColor);
	EXPECT_EQ (desc->getFont ("~ NormalFont"), kNormalFont);
}

TEST (UIDescriptionTest, ReadsFromTheResourcesFolder)
{
	std::string dir = makeResources ("file");
	std::ofstream (dir + "/test.uidesc") << kValidDescription;
	auto desc = owned (new UIDescription (CResourceDescription ("test.uidesc")));
	EXPECT_TRUE (desc->parse ()) << desc->getLastError ();
	EXPECT_TRUE (desc->hasTemplate ("view"));

	auto missing = owned (new UIDescription (CResourceDescription ("absent.uidesc")));
	EXPECT_FALSE (missing->parse ());
	EXPECT_NE (missing->getLastError ().find ("cannot open"), std::string::npos) << missing->getLastError ();
	EXPECT_EQ (missing->createView ("view", nullptr), nullptr);
}

TEST (UIDescriptionTest, BrokenDescriptionsFailWithAMessage)
{
	makeResources ("broken");
	const std::string valid = kValidDescription;
	enum Stage
	{
		kParse,
		kCreate
	};
	struct Case
	{
		const char* what;
		std::string text;
		Stage stage;
		const char* message;
	} cases[] = {
	    {"truncated", valid.substr (0, valid.size () / 2), kParse, "malformed XML"},
	    {"not XML", "just some text", kParse, "malformed XML"},
	    {"XML error on line 2000", std::string (1999, '\n') + "<a><b></a>", kParse, "line 2000: mismatched tag"},
	    {"empty", "", kParse, "empty"},
	    {"wrong root", "<ui-description/>", kParse, "root element"},
	    {"bad colour", replaced (valid, "#202428ff", "#2024zz"), kParse, "color 'panel'"},
	    {"missing bitmap file", replaced (valid, "frames.png", "missing.png"), kParse, "cannot load"},
	    {"bitmap without path", replaced (valid, " path=\"frames.png\"", ""), kParse, "needs a name and a path"},
	    {"tag not a number", replaced (valid, "tag=\"3\"", "tag=\"three\""), kParse, "not a number"},
	    {"bad font size", replaced (valid, "size=\"11\"", "size=\"big\""), kParse, "bad size"},
	    {"template without name", replaced (valid, "name=\"view\"", "title=\"view\""), kParse, "needs a name"},
	    {"unknown class", replaced (valid, "\"CKnob\"", "\"CKnobX\""), kCreate, "unknown view class 'CKnobX'"},
	    {"no class", replaced (valid, "<view class=\"CKnob\"", "<view klass=\"CKnob\""), kCreate, "needs a class"},
	    {"unknown bitmap", replaced (valid, "bitmap=\"frames\"", "bitmap=\"nope\""), kCreate, "unknown bitmap 'nope'"},
	    {"unknown colour", replaced (valid, "background-color=\"panel\"", "background-color=\"pane1\""), kCreate,
	     "unknown colour 'pane1'"},
	    {"unknown font", replaced (valid, "font=\"label\"", "font=\"lable\""), kCreate, "unknown font"},
	    {"unknown tag", replaced (valid, "control-tag=\"Gain\"", "control-tag=\"Gainz\""), kCreate,
	     "unknown control tag 'Gainz'"},
	    {"bad point", replaced (valid, "origin=\"10, 10\"", "origin=\"10; 10\""), kCreate, "not a point"},
	    {"bad number", replaced (valid, "default-value=\"0.25\"", "default-value=\"abc\""), kCreate, "not a number"},
	    {"bad integer", replaced (valid, "height-of-one-image=\"20\"", "sub-pixmaps=\"2.5\""), kCreate, "not an integer"},
	    {"view in a control", replaced (valid, "angle-range=\"270\"/>", "angle-range=\"270\"><view class=\"CView\"/></view>"),
	     kCreate, "cannot hold views"},
	};
	for (const auto& c : cases)
	{
		auto desc = owned (new UIDescription ());
		bool parsed = desc->parseBuffer (c.text.data (), c.text.size ());
		if (c.stage == kParse)
		{
			EXPECT_FALSE (parsed) << c.what;
		}
		else
		{
			ASSERT_TRUE (parsed) << c.what << ": " << desc->getLastError ();
			Log log;
			MainController controller (log);
			EXPECT_EQ (desc->createView ("view", &controller), nullptr) << c.what;
			EXPECT_EQ (log.subControllersAlive, 0) << c.what;
		}
		EXPECT_NE (desc->getLastError ().find (c.message), std::string::npos)
		    << c.what << ": " << desc->getLastError ();
	}
}

TEST (UIDescriptionTest, SubControllerOfAViewThatFailsIsDeletedAtOnce)
{
	makeResources ("subfail");
	std::string text = replaced (kValidDescription, "\"COnOffButton\"", "\"CBogus\"");
	auto desc = owned (new UIDescription ());
	ASSERT_TRUE (desc->parseBuffer (text.data (), text.size ()));
	Log log;
	MainController controller (log);
	EXPECT_EQ (desc->createView ("view", &controller), nullptr);
	EXPECT_EQ (log.subControllersAlive, 0);
	ASSERT_FALSE (log.entries.empty ());
	EXPECT_EQ (log.entries.back (), "sub deleted");
	EXPECT_EQ (desc->createView ("nope", &controller), nullptr);
	EXPECT_NE (desc->getLastError ().find ("no template named 'nope'"), std::string::npos);
}

TEST (UIDescriptionTest, DeepNestingIsRefusedNotOverflowed)
{
	std::string text = "<vstgui-ui-description><template name=\"view\" class=\"CViewContainer\" size=\"10, 10\">";
	for (int i = 0; i < 5000; ++i)
		text += "<view class=\"CViewContainer\">";
	for (int i = 0; i < 5000; ++i)
		text += "</view>";
	text += "</template></vstgui-ui-description>";
	auto desc = owned (new UIDescription ());
	EXPECT_FALSE (desc->parseBuffer (text.data (), text.size ()));
	EXPECT_NE (desc->getLastError ().find ("too deeply"), std::string::npos) << desc->getLastError ();
}

namespace {
// A creator from outside the library, registered the way the sliders' creator is.
class DotView : public CView
{
public:
	DotView () : CView (CRect (0, 0, 0, 0)) {}
	CColor dotColor;
};
class DotCreator : public ViewCreatorAdapter
{
public:
	DotCreator () { UIViewFactory::registerViewCreator (*this); }
	~DotCreator () noexcept override { UIViewFactory::unregisterViewCreator (*this); }
	IdStringPtr getViewName () const override { return "TestDot"; }
	IdStringPtr getBaseViewName () const override { return "CView"; }
	CView* create (const UIAttributes&, const IUIDescription*) const override { return new DotView; }
	bool apply (CView* view, const UIAttributes& attributes, const IUIDescription* desc) const override
	{
		auto* dot = dynamic_cast<DotView*> (view);
		if (!dot)
			return false;
		UIViewCreator::stringToColor (attributes.getAttributeValue ("dot-color"), dot->dotColor, desc);
		return true;
	}
	AttrType getAttributeType (const std::string& name) const override
	{
		return name == "dot-color" ? kColorType : kUnknownType;
	}
};
DotCreator gDotCreator;
} // namespace

TEST (UIViewFactoryTest, CreatorsFromOutsideTheLibraryRegisterThemselves)
{
	ASSERT_EQ (UIViewFactory::getViewCreator ("TestDot"), &gDotCreator);
	const std::string text = R"(<vstgui-ui-description><colors><color name="c" rgba="#010203"/></colors>
	  <template name="t" class="CViewContainer" size="20, 20">
	    <view class="TestDot" origin="1, 2" size="3, 4" dot-color="c"/>
	  </template></vstgui-ui-description>)";
	auto desc = owned (new UIDescription ());
	ASSERT_TRUE (desc->parseBuffer (text.data (), text.size ()));
	auto view = owned (desc->createView ("t", nullptr));
	ASSERT_TRUE (view) << desc->getLastError ();
	auto* dot = dynamic_cast<DotView*> (view->asViewContainer ()->getView (0));
	ASSERT_NE (dot, nullptr);
	EXPECT_EQ (dot->dotColor, CColor (1, 2, 3, 255));
	EXPECT_EQ (dot->getViewSize (), CRect (1, 2, 4, 6)); // CView's attributes applied first

	std::string bad = replaced (text, "dot-color=\"c\"", "dot-color=\"nope\"");
	ASSERT_TRUE (desc->parseBuffer (bad.data (), bad.size ()));
	EXPECT_EQ (desc->createView ("t", nullptr), nullptr);
	EXPECT_NE (desc->getLastError ().find ("unknown colour"), std::string::npos);
}

// Seeded mutations of a valid description: every one must either be refused with a
// message or build views that can be released again.
TEST (UIDescriptionTest, MutatedDescriptionsNeverCrash)
{
	makeResources ("mutate");
	const std::string valid = kValidDescription;
	std::mt19937 rng (20240611u);
	const char tokens[] = "<>\"=/ #,.-0123456789abcxyz~\n";
	const std::string snippets[] = {"<view class=\"CKnob\"/>", "<view>", "</view>", "<template name=\"view\">",
	                                "&amp;", "&#0;", "\xff\xfe", "size=\"1e308, 1e308\"", "sub-controller=\"Sub\""};
	int parsedCount = 0, builtCount = 0;
	for (int i = 0; i < 3000; ++i)
	{
		std::string text = valid;
		int edits = 1 + static_cast<int> (rng () % 4);
		for (int e = 0; e < edits && !text.empty (); ++e)
		{
			size_t pos = rng () % text.size ();
			switch (rng () % 5)
			{
				case 0: text[pos] = tokens[rng () % (sizeof (tokens) - 1)]; break;
				case 1: text.erase (pos, 1 + rng () % 16); break;
				case 2: text.insert (pos, text.substr (rng () % text.size (), rng () % 64)); break;
				case 3: text.insert (pos, snippets[rng () % (sizeof (snippets) / sizeof (snippets[0]))]); break;
				case 4: text.resize (pos); break;
			}
		}
		auto desc = owned (new UIDescription ());
		if (!desc->parseBuffer (text.data (), text.size ()))
		{
			EXPECT_FALSE (desc->getLastError ().empty ());
			continue;
		}
		++parsedCount;
		Log log;
		MainController controller (log);
		for (const auto& name : desc->getTemplateNames ())
		{
			if (CView* view = desc->createView (name.c_str (), &controller))
			{
				++builtCount;
				auto ctx = COffscreenContext::create (CPoint (64, 64));
				view->draw (ctx);
				view->forget ();
			}
			else
				EXPECT_FALSE (desc->getLastError ().empty ());
		}
		EXPECT_EQ (log.subControllersAlive, 0);
	}
	EXPECT_GT (parsedCount, 0);
	EXPECT_GT (builtCount, 0);
}
