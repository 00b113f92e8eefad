#include "cgraphicspath.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {

void CGraphicsPath::addRect (const CRect& rect)
{
	Element e {Element::kRect, rect, {}};
	e.rect.normalize ();
	elements.push_back (e);
}

void CGraphicsPath::addRoundRect (const CRect& size, CCoord radius)
{
	Element e {Element::kRoundRect, size, {}};
	e.rect.normalize ();
	e.radius = radius;
	elements.push_back (e);
}

void CGraphicsPath::addEllipse (const CRect& rect)
{
	Element e {Element::kEllipse, rect, {}};
	e.rect.normalize ();
	elements.push_back (e);
}

void CGraphicsPath::addArc (const CRect& rect, double startAngle, double endAngle, bool clockwise)
{
	Element e {Element::kArc, rect, {}};
	e.rect.normalize ();
	e.startAngle = startAngle;
	e.endAngle = endAngle;
	e.clockwise = clockwise;
	elements.push_back (e);
}

void CGraphicsPath::addLine (const CPoint& to) { elements.push_back ({Element::kLine, {}, to}); }

void CGraphicsPath::beginSubpath (const CPoint& start)
{
	elements.push_back ({Element::kBeginSubpath, {}, start});
}

void CGraphicsPath::closeSubpath () { elements.push_back ({Element::kCloseSubpath, {}, {}}); }

void CGraphicsPath::addPath (const CGraphicsPath& path, CGraphicsTransform* t)
{
	for (Element e : path.elements)
	{
		if (t)
		{
			t->transform (e.point);
			CPoint tl = e.rect.getTopLeft ();
			CPoint br = e.rect.getBottomRight ();
			t->transform (tl);
			t->transform (br);
			e.rect = CRect (tl.x, tl.y, br.x, br.y);
			e.rect.normalize ();
		}
		elements.push_back (e);
	}
}

CRect CGraphicsPath::getBoundingBox () const
{
	CRect box;
	bool first = true;
	auto add = [&] (const CRect& r) {
		if (first)
			box = r;
		else
		{
			box.left = std::min (box.left, r.left);
			box.top = std::min (box.top, r.top);
			box.right = std::max (box.right, r.right);
			box.bottom = std::max (box.bottom, r.bottom);
		}
		first = false;
	};
	for (const auto& e : elements)
	{
		switch (e.type)
		{
			case Element::kBeginSubpath:
			case Element::kLine:
				add (CRect (e.point.x, e.point.y, e.point.x, e.point.y));
				break;
			case Element::kCloseSubpath:
				break;
			default:
				add (e.rect);
		}
	}
	return box;
}

} // VSTGUI
