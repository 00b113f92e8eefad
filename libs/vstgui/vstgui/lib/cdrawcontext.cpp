#include "cdrawcontext.h"
#include "cbitmap.h"
#include "cgraphicspath.h"
#include <cairo.h>
#include <cmath>

namespace VSTGUI {

const CLineStyle kLineSolid;
const CLineStyle kLineOnOffDash (CLineStyle::kLineCapButt, CLineStyle::kLineJoinMiter, 0., {1., 1.});

namespace {

const CGraphicsTransform kIdentity;

bool invert (const CGraphicsTransform& t, CGraphicsTransform& inv)
{
	double det = t.m11 * t.m22 - t.m12 * t.m21;
	if (det == 0. || !std::isfinite (det))
		return false;
	inv.m11 = t.m22 / det;
	inv.m12 = -t.m12 / det;
	inv.m21 = -t.m21 / det;
	inv.m22 = t.m11 / det;
	inv.dx = -(inv.m11 * t.dx + inv.m12 * t.dy);
	inv.dy = -(inv.m21 * t.dx + inv.m22 * t.dy);
	return true;
}

CRect transformRect (const CGraphicsTransform& t, const CRect& r)
{
	CPoint p[4] = {r.getTopLeft (), r.getTopRight (), r.getBottomLeft (), r.getBottomRight ()};
	CRect out;
	for (int i = 0; i < 4; ++i)
	{
		t.transform (p[i]);
		if (i == 0)
			out = CRect (p[0].x, p[0].y, p[0].x, p[0].y);
		else
		{
			out.left = std::min (out.left, p[i].x);
			out.top = std::min (out.top, p[i].y);
			out.right = std::max (out.right, p[i].x);
			out.bottom = std::max (out.bottom, p[i].y);
		}
	}
	return out;
}

// Runs the cairo calls of one drawing operation inside save/restore with the device
// scale, the clip and the current transform applied.
class DrawScope
{
public:
	DrawScope (cairo_t* cr, double scale, const CRect& clip, const CGraphicsTransform& t) : cr (cr)
	{
		cairo_save (cr);
		cairo_identity_matrix (cr);
		cairo_scale (cr, scale, scale);
		cairo_new_path (cr);
		cairo_rectangle (cr, clip.left, clip.top, clip.getWidth (), clip.getHeight ());
		cairo_clip (cr);
		cairo_matrix_t m;
		cairo_matrix_init (&m, t.m11, t.m21, t.m12, t.m22, t.dx, t.dy);
		cairo_transform (cr, &m);
	}
	~DrawScope () { cairo_restore (cr); }

private:
	cairo_t* cr;
};

void addElements (cairo_t* cr, const CGraphicsPath& path)
{
	for (const auto& e : path.getElements ())
	{
		switch (e.type)
		{
			case CGraphicsPath::Element::kBeginSubpath:
				cairo_move_to (cr, e.point.x, e.point.y);
				break;
			case CGraphicsPath::Element::kCloseSubpath:
				cairo_close_path (cr);
				break;
			case CGraphicsPath::Element::kLine:
				if (cairo_has_current_point (cr))
					cairo_line_to (cr, e.point.x, e.point.y);
				else
					cairo_move_to (cr, e.point.x, e.point.y);
				break;
			case CGraphicsPath::Element::kRect:
				cairo_rectangle (cr, e.rect.left, e.rect.top, e.rect.getWidth (), e.rect.getHeight ());
				break;
			case CGraphicsPath::Element::kEllipse:
			case CGraphicsPath::Element::kArc:
			{
				double w = e.rect.getWidth () / 2.;
				double h = e.rect.getHeight () / 2.;
				if (w <= 0. || h <= 0.)
					break;
				cairo_save (cr);
				cairo_translate (cr, e.rect.left + w, e.rect.top + h);
				cairo_scale (cr, w, h);
				if (e.type == CGraphicsPath::Element::kEllipse)
				{
					cairo_new_sub_path (cr);
					cairo_arc (cr, 0., 0., 1., 0., 2. * M_PI);
					cairo_close_path (cr);
				}
				else
				{
					double a0 = e.startAngle * M_PI / 180.;
					double a1 = e.endAngle * M_PI / 180.;
					if (e.clockwise)
						cairo_arc (cr, 0., 0., 1., a0, a1);
					else
						cairo_arc_negative (cr, 0., 0., 1., a0, a1);
				}
				cairo_restore (cr);
				break;
			}
			case CGraphicsPath::Element::kRoundRect:
			{
				const CRect& r = e.rect;
				double rad = std::min ({e.radius, r.getWidth () / 2., r.getHeight () / 2.});
				if (rad <= 0.)
				{
					cairo_rectangle (cr, r.left, r.top, r.getWidth (), r.getHeight ());
					break;
				}
				cairo_new_sub_path (cr);
				cairo_arc (cr, r.right - rad, r.top + rad, rad, -M_PI / 2., 0.);
				cairo_arc (cr, r.right - rad, r.bottom - rad, rad, 0., M_PI / 2.);
				cairo_arc (cr, r.left + rad, r.bottom - rad, rad, M_PI / 2., M_PI);
				cairo_arc (cr, r.left + rad, r.top + rad, rad, M_PI, 3. * M_PI / 2.);
				cairo_close_path (cr);
				break;
			}
		}
	}
}

} // namespace

//------------------------------------------------------------------------
CDrawContext::Transform::Transform (CDrawContext& context, const CGraphicsTransform& t)
: context (context), pushed (!t.isInvariant ())
{
	if (pushed)
		context.pushTransform (t);
}

CDrawContext::Transform::~Transform () noexcept
{
	if (pushed)
		context.popTransform ();
}

//------------------------------------------------------------------------
CDrawContext::CDrawContext (_cairo* cr, const CRect& surfaceRect, double scaleFactor)
: cr (cairo_reference (cr)), surfaceRect (surfaceRect), scaleFactor (scaleFactor > 0. ? scaleFactor : 1.)
{
	currentState.font = kSystemFont;
	currentState.clipRect = surfaceRect;
}

CDrawContext::~CDrawContext () noexcept { cairo_destroy (cr); }

const CGraphicsTransform& CDrawContext::getCurrentTransform () const
{
	return transformStack.empty () ? kIdentity : transformStack.back ();
}

void CDrawContext::pushTransform (const CGraphicsTransform& t)
{
	transformStack.push_back (getCurrentTransform () * t);
}

void CDrawContext::popTransform ()
{
	if (!transformStack.empty ())
		transformStack.pop_back ();
}

void CDrawContext::setSourceColor (const CColor& c)
{
	cairo_set_source_rgba (cr, c.normRed (), c.normGreen (), c.normBlue (),
	                       c.normAlpha () * currentState.globalAlpha);
}

void CDrawContext::applyAntialias ()
{
	cairo_set_antialias (cr, currentState.drawMode.modeIgnoringIntegralMode () == kAntiAliasing
	                             ? CAIRO_ANTIALIAS_DEFAULT
	                             : CAIRO_ANTIALIAS_NONE);
}

void CDrawContext::applyLineStyle ()
{
	const CLineStyle& s = currentState.lineStyle;
	double w = currentState.frameWidth;
	cairo_set_line_width (cr, w);
	cairo_set_line_cap (cr, s.getLineCap () == CLineStyle::kLineCapRound
	                            ? CAIRO_LINE_CAP_ROUND
	                            : s.getLineCap () == CLineStyle::kLineCapSquare ? CAIRO_LINE_CAP_SQUARE
	                                                                           : CAIRO_LINE_CAP_BUTT);
	cairo_set_line_join (cr, s.getLineJoin () == CLineStyle::kLineJoinRound
	                             ? CAIRO_LINE_JOIN_ROUND
	                             : s.getLineJoin () == CLineStyle::kLineJoinBevel ? CAIRO_LINE_JOIN_BEVEL
	                                                                             : CAIRO_LINE_JOIN_MITER);
	const auto& d = s.getDashLengths ();
	if (d.empty ())
		cairo_set_dash (cr, nullptr, 0, 0.);
	else
	{
		std::vector<double> dashes;
		for (auto len : d)
			dashes.push_back (len * w);
		cairo_set_dash (cr, dashes.data (), static_cast<int> (dashes.size ()), s.getDashPhase () * w);
	}
	applyAntialias ();
}

void CDrawContext::drawLine (const CPoint& start, const CPoint& end)
{
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	applyLineStyle ();
	setSourceColor (currentState.frameColor);
	CPoint a (start), b (end);
	if (currentState.drawMode.modeIgnoringIntegralMode () == kAliasing &&
	    std::fmod (currentState.frameWidth, 2.) == 1.)
	{
		// Centre one-pixel lines on pixel centres so they cover whole pixels.
		a.offset (0.5, 0.5);
		b.offset (0.5, 0.5);
	}
	cairo_move_to (cr, a.x, a.y);
	cairo_line_to (cr, b.x, b.y);
	cairo_stroke (cr);
}

void CDrawContext::drawLines (const std::vector<std::pair<CPoint, CPoint>>& lines)
{
	for (const auto& l : lines)
		drawLine (l.first, l.second);
}

void CDrawContext::drawPolygon (const std::vector<CPoint>& polygon, const CDrawStyle drawStyle)
{
	if (polygon.size () < 2)
		return;
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	applyLineStyle ();
	cairo_move_to (cr, polygon[0].x, polygon[0].y);
	for (size_t i = 1; i < polygon.size (); ++i)
		cairo_line_to (cr, polygon[i].x, polygon[i].y);
	if (drawStyle != kDrawStroked)
	{
		setSourceColor (currentState.fillColor);
		cairo_fill_preserve (cr);
	}
	if (drawStyle != kDrawFilled)
	{
		setSourceColor (currentState.frameColor);
		cairo_stroke (cr);
	}
	cairo_new_path (cr);
}

void CDrawContext::drawRect (const CRect& rect, const CDrawStyle drawStyle)
{
	CRect r (rect);
	r.normalize ();
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	applyLineStyle ();
	if (drawStyle != kDrawStroked)
	{
		setSourceColor (currentState.fillColor);
		cairo_rectangle (cr, r.left, r.top, r.getWidth (), r.getHeight ());
		cairo_fill (cr);
	}
	if (drawStyle != kDrawFilled)
	{
		CRect s (r);
		if (currentState.drawMode.modeIgnoringIntegralMode () == kAliasing)
		{
			// The frame lies inside the rectangle, on whole pixels.
			double half = currentState.frameWidth / 2.;
			s.inset (half, half);
		}
		setSourceColor (currentState.frameColor);
		cairo_rectangle (cr, s.left, s.top, s.getWidth (), s.getHeight ());
		cairo_stroke (cr);
	}
}

void CDrawContext::drawArc (const CRect& rect, const float startAngle, const float endAngle,
                            const CDrawStyle drawStyle)
{
	CGraphicsPath path;
	if (drawStyle != kDrawStroked)
		path.beginSubpath (rect.getCenter ());
	path.addArc (rect, startAngle, endAngle, true);
	if (drawStyle != kDrawStroked)
		path.closeSubpath ();
	if (drawStyle == kDrawFilled || drawStyle == kDrawFilledAndStroked)
		drawGraphicsPath (&path, kPathFilled);
	if (drawStyle == kDrawStroked || drawStyle == kDrawFilledAndStroked)
		drawGraphicsPath (&path, kPathStroked);
}

void CDrawContext::drawEllipse (const CRect& rect, const CDrawStyle drawStyle)
{
	CGraphicsPath path;
	path.addEllipse (rect);
	if (drawStyle != kDrawStroked)
		drawGraphicsPath (&path, kPathFilled);
	if (drawStyle != kDrawFilled)
		drawGraphicsPath (&path, kPathStroked);
}

void CDrawContext::drawPoint (const CPoint& point, const CColor& color)
{
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	CColor saved = currentState.fillColor;
	setSourceColor (color);
	cairo_rectangle (cr, point.x, point.y, 1., 1.);
	cairo_fill (cr);
	currentState.fillColor = saved;
}

void CDrawContext::clearRect (const CRect& rect)
{
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	cairo_set_operator (cr, CAIRO_OPERATOR_CLEAR);
	cairo_rectangle (cr, rect.left, rect.top, rect.getWidth (), rect.getHeight ());
	cairo_fill (cr);
}

void CDrawContext::drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
	if (!bitmap || !bitmap->getSurface () || dest.isEmpty ())
		return;
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	cairo_rectangle (cr, dest.left, dest.top, dest.getWidth (), dest.getHeight ());
	cairo_clip (cr);
	cairo_set_source_surface (cr, bitmap->getSurface (), dest.left - offset.x, dest.top - offset.y);
	cairo_paint_with_alpha (cr, alpha * currentState.globalAlpha);
}

namespace {
void selectFont (cairo_t* cr, CFontDesc* font)
{
	const char* family = font && !font->getName ().empty () ? font->getName ().data () : "DejaVu Sans";
	int32_t style = font ? font->getStyle () : 0;
	cairo_select_font_face (cr, family,
	                        (style & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
	                        (style & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
	double size = font && font->getSize () > 0. ? font->getSize () : 12.;
	cairo_set_font_size (cr, size);
}
} // namespace

void CDrawContext::drawString (UTF8StringPtr string, const CRect& rect, const CHoriTxtAlign hAlign,
                               bool antialias)
{
	if (!string || !*string)
		return;
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	cairo_rectangle (cr, rect.left, rect.top, rect.getWidth (), rect.getHeight ());
	cairo_clip (cr);
	selectFont (cr, currentState.font);
	cairo_font_options_t* options = cairo_font_options_create ();
	cairo_font_options_set_antialias (options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
	cairo_set_font_options (cr, options);
	cairo_font_options_destroy (options);
	cairo_text_extents_t te;
	cairo_text_extents (cr, string, &te);
	cairo_font_extents_t fe;
	cairo_font_extents (cr, &fe);
	double x = rect.left;
	if (hAlign == kCenterText)
		x = rect.left + (rect.getWidth () - te.x_advance) / 2.;
	else if (hAlign == kRightText)
		x = rect.right - te.x_advance;
	double y = rect.top + rect.getHeight () / 2. + (fe.ascent - fe.descent) / 2.;
	setSourceColor (currentState.fontColor);
	cairo_move_to (cr, x, y);
	cairo_show_text (cr, string);
}

void CDrawContext::drawString (UTF8StringPtr string, const CPoint& origin, bool antialias)
{
	if (!string || !*string)
		return;
	// origin is the baseline's left end.
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	selectFont (cr, currentState.font);
	if (!antialias)
	{
		cairo_font_options_t* options = cairo_font_options_create ();
		cairo_font_options_set_antialias (options, CAIRO_ANTIALIAS_NONE);
		cairo_set_font_options (cr, options);
		cairo_font_options_destroy (options);
	}
	setSourceColor (currentState.fontColor);
	cairo_move_to (cr, origin.x, origin.y);
	cairo_show_text (cr, string);
}

CCoord CDrawContext::getStringWidth (UTF8StringPtr string)
{
	if (!string || !*string)
		return 0.;
	cairo_save (cr);
	selectFont (cr, currentState.font);
	cairo_text_extents_t te;
	cairo_text_extents (cr, string, &te);
	cairo_restore (cr);
	return te.x_advance;
}

CGraphicsPath* CDrawContext::createGraphicsPath () { return new CGraphicsPath (); }

void CDrawContext::drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform* t)
{
	if (!path || path->isEmpty ())
		return;
	DrawScope scope (cr, scaleFactor, currentState.clipRect, getCurrentTransform ());
	if (t)
	{
		cairo_matrix_t m;
		cairo_matrix_init (&m, t->m11, t->m21, t->m12, t->m22, t->dx, t->dy);
		cairo_transform (cr, &m);
	}
	applyLineStyle ();
	cairo_new_path (cr);
	addElements (cr, *path);
	if (mode == kPathStroked)
	{
		setSourceColor (currentState.frameColor);
		cairo_stroke (cr);
	}
	else
	{
		cairo_set_fill_rule (cr, mode == kPathFilledEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD
		                                                    : CAIRO_FILL_RULE_WINDING);
		setSourceColor (currentState.fillColor);
		cairo_fill (cr);
	}
}

void CDrawContext::setLineStyle (const CLineStyle& style) { currentState.lineStyle = style; }
void CDrawContext::setLineWidth (CCoord width) { currentState.frameWidth = width; }
void CDrawContext::setDrawMode (CDrawMode mode) { currentState.drawMode = mode; }

void CDrawContext::setClipRect (const CRect& clip)
{
	CRect r = transformRect (getCurrentTransform (), clip);
	r.normalize ();
	r.bound (surfaceRect);
	currentState.clipRect = r;
}

CRect& CDrawContext::getClipRect (CRect& clip) const
{
	CGraphicsTransform inv;
	if (invert (getCurrentTransform (), inv))
		clip = transformRect (inv, currentState.clipRect);
	else
		clip = CRect ();
	clip.normalize ();
	return clip;
}

void CDrawContext::resetClipRect () { currentState.clipRect = surfaceRect; }

void CDrawContext::setFillColor (const CColor& color) { currentState.fillColor = color; }
void CDrawContext::setFrameColor (const CColor& color) { currentState.frameColor = color; }
void CDrawContext::setFontColor (const CColor& color) { currentState.fontColor = color; }

void CDrawContext::setFont (const CFontRef font, const CCoord& size, const int32_t& style)
{
	if (!font)
		return;
	if (size > 0. || style >= 0)
	{
		auto f = makeOwned<CFontDesc> (*font);
		if (size > 0.)
			f->setSize (size);
		if (style >= 0)
			f->setStyle (style);
		currentState.font = f;
	}
	else
		currentState.font = font;
}

void CDrawContext::setGlobalAlpha (float newAlpha) { currentState.globalAlpha = newAlpha; }

void CDrawContext::saveGlobalState () { stateStack.push_back (currentState); }

void CDrawContext::restoreGlobalState ()
{
	if (stateStack.empty ())
		return;
	currentState = stateStack.back ();
	stateStack.pop_back ();
}

void CDrawContext::flush () { cairo_surface_flush (cairo_get_target (cr)); }

} // VSTGUI
