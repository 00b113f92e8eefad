/* Draws the editor's images with cairo and writes them as PNG files into the folder
 * given as the only argument (the repository's resource/ folder):
 *
 *   background.png  860 x 420  panel with the header, six band cards, the output card
 *   knob.png         56 x 56   large knob face with its scale (Level, Range)
 *   knob-small.png   44 x 44   small knob face with its scale (frequencies, Q)
 *   slider-track.png 40 x 105  band gain slider: slim groove, scale ticks, 0 dB mark
 *   slider-handle.png 30 x 15  band gain slider: the fader cap
 *   switch.png       34 x 36   band on/off: two 18 px frames, off above on
 *   bypass.png       80 x 44   Bypass: two 22 px frames, off above on
 *   about.png        20 x 40   about button: two 20 px frames, off above on
 *
 * The geometry of the cards matches the layout in plug.uidesc. The knob scales cover
 * the knob's travel: 270 degrees, from lower left clockwise to lower right. The gain
 * slider's ticks sit where the cap's centre row stands for 16, 12, ... -16 dB; the dB
 * numbers beside them are part of the background.
 *
 * Build and run:  cc -O2 drawresources.c $(pkg-config --cflags --libs cairo) -lm -o drawresources
 *                 ./drawresources ../resource
 */
#include <cairo.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#define PI 3.14159265358979323846

typedef struct
{
	double r, g, b, a;
} Colour;

static Colour hex (unsigned rgb, double a)
{
	Colour c = {((rgb >> 16) & 0xff) / 255., ((rgb >> 8) & 0xff) / 255., (rgb & 0xff) / 255., a};
	return c;
}

static void source (cairo_t* cr, Colour c)
{
	cairo_set_source_rgba (cr, c.r, c.g, c.b, c.a);
}

static const unsigned kAccent = 0xf0a830;
static const unsigned kText = 0xd8dce2;
static const unsigned kDim = 0x8b939e;

/* The band gain slider as plug.uidesc places it in each band card (card coordinates):
 * origin (28, 56), size 40 x 105, handle-offset (5, 2), a 30 x 15 handle. The cap's top
 * edge travels kSliderH - kHandleH - 2 * kHandleOffY = 86 px, an even number, so that
 * 0 dB (normalized 0.5) puts the cap's centre row on the slider's centre row. */
enum
{
	kSliderX = 28,
	kSliderY = 56,
	kSliderW = 40,
	kSliderH = 105,
	kHandleW = 30,
	kHandleH = 15,
	kHandleOffY = 2,
	kSliderTravel = kSliderH - kHandleH - 2 * kHandleOffY
};

/* Top of the cap's centre pixel row, in slider coordinates, for a gain in dB (-16..16):
 * the slider puts the cap's top edge at offset + floor ((1 - n) * travel). */
static double sliderRow (double db)
{
	double n = (db + 16.) / 32.;
	return kHandleOffY + floor ((1. - n) * kSliderTravel) + (kHandleH - 1) / 2;
}

static void roundedRect (cairo_t* cr, double x, double y, double w, double h, double r)
{
	cairo_new_sub_path (cr);
	cairo_arc (cr, x + w - r, y + r, r, -PI / 2, 0);
	cairo_arc (cr, x + w - r, y + h - r, r, 0, PI / 2);
	cairo_arc (cr, x + r, y + h - r, r, PI / 2, PI);
	cairo_arc (cr, x + r, y + r, r, PI, 3 * PI / 2);
	cairo_close_path (cr);
}

static int save (cairo_surface_t* s, const char* folder, const char* name)
{
	char path[4096];
	snprintf (path, sizeof path, "%s/%s", folder, name);
	cairo_status_t status = cairo_surface_write_to_png (s, path);
	cairo_surface_destroy (s);
	if (status != CAIRO_STATUS_SUCCESS)
	{
		fprintf (stderr, "drawresources: cannot write %s: %s\n", path, cairo_status_to_string (status));
		return 1;
	}
	return 0;
}

static void card (cairo_t* cr, double x, double y, double w, double h)
{
	/* drop shadow */
	roundedRect (cr, x + 1, y + 3, w, h, 8);
	source (cr, hex (0x000000, 0.35));
	cairo_fill (cr);

	cairo_pattern_t* fill = cairo_pattern_create_linear (0, y, 0, y + h);
	cairo_pattern_add_color_stop_rgb (fill, 0, 0x33 / 255., 0x38 / 255., 0x41 / 255.);
	cairo_pattern_add_color_stop_rgb (fill, 1, 0x27 / 255., 0x2b / 255., 0x32 / 255.);
	roundedRect (cr, x, y, w, h, 8);
	cairo_set_source (cr, fill);
	cairo_fill_preserve (cr);
	cairo_pattern_destroy (fill);
	cairo_set_line_width (cr, 1);
	source (cr, hex (0x444b56, 1));
	cairo_stroke (cr);

	/* a faint highlight along the top edge */
	cairo_move_to (cr, x + 8, y + 1.5);
	cairo_line_to (cr, x + w - 8, y + 1.5);
	source (cr, hex (0xffffff, 0.08));
	cairo_stroke (cr);
}

static void separator (cairo_t* cr, double x0, double x1, double y)
{
	cairo_set_line_width (cr, 1);
	cairo_move_to (cr, x0, y + 0.5);
	cairo_line_to (cr, x1, y + 0.5);
	source (cr, hex (0x000000, 0.35));
	cairo_stroke (cr);
	cairo_move_to (cr, x0, y + 1.5);
	cairo_line_to (cr, x1, y + 1.5);
	source (cr, hex (0xffffff, 0.06));
	cairo_stroke (cr);
}

static int drawBackground (const char* folder)
{
	const int w = 860, h = 420;
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, w, h);
	cairo_t* cr = cairo_create (s);

	cairo_pattern_t* bg = cairo_pattern_create_linear (0, 0, 0, h);
	cairo_pattern_add_color_stop_rgb (bg, 0, 0x25 / 255., 0x29 / 255., 0x30 / 255.);
	cairo_pattern_add_color_stop_rgb (bg, 1, 0x17 / 255., 0x1a / 255., 0x1f / 255.);
	cairo_rectangle (cr, 0, 0, w, h);
	cairo_set_source (cr, bg);
	cairo_fill (cr);
	cairo_pattern_destroy (bg);

	/* header: an accent line under the title */
	cairo_rectangle (cr, 16, 46, 128, 2);
	source (cr, hex (kAccent, 1));
	cairo_fill (cr);
	separator (cr, 148, w - 16, 46);

	/* six band cards and the output card, y 60 to 340 */
	for (int b = 0; b < 6; ++b)
		card (cr, 16 + b * 104, 60, 96, 280);
	card (cr, 640, 60, 204, 280);

	/* inside each card: a rule between the gain and the frequency / Q controls */
	for (int b = 0; b < 6; ++b)
		separator (cr, 16 + b * 104 + 10, 16 + b * 104 + 86, 60 + 198);
	separator (cr, 650, 834, 60 + 198);

	/* the gain sliders' dB numbers, right-aligned left of each slider; the negative ones
	 * with a true minus sign (U+2212, in UTF-8), as wide as the plus */
	cairo_select_font_face (cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
	cairo_set_font_size (cr, 7.5);
	for (int b = 0; b < 6; ++b)
	{
		static const struct
		{
			double db;
			const char* text;
		} marks[] = {{16, "+16"}, {8, "+8"}, {0, "0"}, {-8, "\xe2\x88\x92" "8"}, {-16, "\xe2\x88\x92" "16"}};
		for (size_t i = 0; i < sizeof marks / sizeof marks[0]; ++i)
		{
			cairo_text_extents_t e;
			cairo_text_extents (cr, marks[i].text, &e);
			double right = 16 + b * 104 + kSliderX + 1;
			double cy = 60 + kSliderY + sliderRow (marks[i].db) + 0.5;
			cairo_move_to (cr, right - e.width - e.x_bearing, cy - e.height / 2. - e.y_bearing);
			source (cr, marks[i].db == 0 ? hex (kText, 0.85) : hex (kDim, 0.9));
			cairo_show_text (cr, marks[i].text);
		}
	}

	/* footer */
	separator (cr, 16, w - 16, 352);

	cairo_destroy (cr);
	return save (s, folder, "background.png");
}

/* A knob face of size px: shadow, scale ticks over the travel, a dark groove for the
 * corona, and a domed face. */
static int drawKnob (const char* folder, const char* name, int px)
{
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, px, px);
	cairo_t* cr = cairo_create (s);
	const double c = px / 2.;
	const double tickOuter = c - 1.0;
	const double tickInner = c - 3.5;
	const double groove = c - (px >= 50 ? 6. : 5.);
	const double face = groove - (px >= 50 ? 4.5 : 3.8);

	/* scale: 11 ticks from 225 degrees clockwise to -45 degrees (y up) */
	cairo_set_line_cap (cr, CAIRO_LINE_CAP_ROUND);
	for (int i = 0; i <= 10; ++i)
	{
		double a = (225. - 27. * i) * PI / 180.;
		double inner = (i == 0 || i == 5 || i == 10) ? tickInner - 1. : tickInner;
		cairo_move_to (cr, c + inner * cos (a), c - inner * sin (a));
		cairo_line_to (cr, c + tickOuter * cos (a), c - tickOuter * sin (a));
	}
	cairo_set_line_width (cr, 1.2);
	source (cr, hex (kDim, 0.9));
	cairo_stroke (cr);

	/* corona groove over the travel */
	cairo_set_line_width (cr, px >= 50 ? 3.4 : 2.8);
	cairo_arc (cr, c, c, groove, 135. * PI / 180., 405. * PI / 180.);
	source (cr, hex (0x14171b, 1));
	cairo_stroke (cr);

	/* face: shadow, body with a soft top light, rim */
	cairo_arc (cr, c + 0.8, c + 1.6, face, 0, 2 * PI);
	source (cr, hex (0x000000, 0.45));
	cairo_fill (cr);
	cairo_pattern_t* body = cairo_pattern_create_radial (c - face * 0.35, c - face * 0.45, face * 0.1, c, c, face);
	cairo_pattern_add_color_stop_rgb (body, 0, 0x5e / 255., 0x66 / 255., 0x71 / 255.);
	cairo_pattern_add_color_stop_rgb (body, 1, 0x2c / 255., 0x31 / 255., 0x38 / 255.);
	cairo_arc (cr, c, c, face, 0, 2 * PI);
	cairo_set_source (cr, body);
	cairo_fill_preserve (cr);
	cairo_pattern_destroy (body);
	cairo_set_line_width (cr, 1);
	source (cr, hex (0x1a1d22, 1));
	cairo_stroke (cr);
	cairo_arc (cr, c, c, face - 1.2, 200. * PI / 180., 340. * PI / 180.);
	source (cr, hex (0xffffff, 0.12));
	cairo_stroke (cr);

	cairo_destroy (cr);
	return save (s, folder, name);
}

/* The gain slider's track: a slim recessed groove down the middle, ticks on both sides
 * every 4 dB (longer every 8 dB) and an accent mark at 0 dB. Transparent elsewhere, so
 * the card shows through. */
static int drawSliderTrack (const char* folder)
{
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, kSliderW, kSliderH);
	cairo_t* cr = cairo_create (s);
	const double cx = kSliderW / 2.;
	const double top = sliderRow (16) - 3, bottom = sliderRow (-16) + 4;

	/* ticks, pixel-aligned on the cap's centre rows */
	cairo_set_line_width (cr, 1);
	for (int db = -16; db <= 16; db += 4)
	{
		double y = sliderRow (db) + 0.5;
		double len = db == 0 ? 8. : (db % 8 == 0 ? 6. : 3.5);
		double gap = 5.;
		cairo_move_to (cr, cx - gap - len, y);
		cairo_line_to (cr, cx - gap, y);
		cairo_move_to (cr, cx + gap, y);
		cairo_line_to (cr, cx + gap + len, y);
		source (cr, db == 0 ? hex (kAccent, 0.95) : hex (kDim, db % 8 == 0 ? 0.85 : 0.5));
		cairo_stroke (cr);
	}

	/* groove: dark slot with a shadow on its upper side and a faint lower lip */
	roundedRect (cr, cx - 2.5, top, 5, bottom - top, 2.5);
	source (cr, hex (0x0f1114, 1));
	cairo_fill (cr);
	roundedRect (cr, cx - 1.5, top + 1, 3, bottom - top - 2, 1.5);
	cairo_pattern_t* slot = cairo_pattern_create_linear (cx - 1.5, 0, cx + 1.5, 0);
	cairo_pattern_add_color_stop_rgb (slot, 0, 0x05 / 255., 0x06 / 255., 0x07 / 255.);
	cairo_pattern_add_color_stop_rgb (slot, 1, 0x1c / 255., 0x20 / 255., 0x25 / 255.);
	cairo_set_source (cr, slot);
	cairo_fill (cr);
	cairo_pattern_destroy (slot);
	cairo_move_to (cr, cx - 2, bottom + 0.5);
	cairo_line_to (cr, cx + 2, bottom + 0.5);
	source (cr, hex (0xffffff, 0.08));
	cairo_stroke (cr);

	/* the 0 dB notch across the groove */
	cairo_rectangle (cr, cx - 2.5, sliderRow (0), 5, 1);
	source (cr, hex (kAccent, 0.5));
	cairo_fill (cr);

	cairo_destroy (cr);
	return save (s, folder, "slider-track.png");
}

/* The gain slider's cap: a rounded body lit from above, grip lines and an accent line on
 * its centre row, the row that the track's ticks line up with. */
static int drawSliderHandle (const char* folder)
{
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, kHandleW, kHandleH);
	cairo_t* cr = cairo_create (s);
	const double w = kHandleW, h = kHandleH;
	const double centre = (kHandleH - 1) / 2; /* top of the centre pixel row */

	/* shadow under the body */
	roundedRect (cr, 1, 1.5, w - 2, h - 1.5, 3);
	source (cr, hex (0x000000, 0.5));
	cairo_fill (cr);

	cairo_pattern_t* body = cairo_pattern_create_linear (0, 0.5, 0, h - 1.5);
	cairo_pattern_add_color_stop_rgb (body, 0, 0x6c / 255., 0x74 / 255., 0x80 / 255.);
	cairo_pattern_add_color_stop_rgb (body, 0.5, 0x48 / 255., 0x4f / 255., 0x59 / 255.);
	cairo_pattern_add_color_stop_rgb (body, 1, 0x30 / 255., 0x35 / 255., 0x3d / 255.);
	roundedRect (cr, 1.5, 0.5, w - 3, h - 2, 3);
	cairo_set_source (cr, body);
	cairo_fill_preserve (cr);
	cairo_pattern_destroy (body);
	cairo_set_line_width (cr, 1);
	source (cr, hex (0x15181c, 1));
	cairo_stroke (cr);

	/* highlight along the top */
	cairo_move_to (cr, 4, 1.5);
	cairo_line_to (cr, w - 4, 1.5);
	source (cr, hex (0xffffff, 0.18));
	cairo_stroke (cr);

	/* grip lines above and below the centre */
	for (int k = -1; k <= 1; k += 2)
	{
		double y = centre + 3 * k + 0.5;
		cairo_move_to (cr, 7, y);
		cairo_line_to (cr, w - 7, y);
		source (cr, hex (0x1a1d22, 0.8));
		cairo_stroke (cr);
		cairo_move_to (cr, 7, y + 1);
		cairo_line_to (cr, w - 7, y + 1);
		source (cr, hex (0xffffff, 0.07));
		cairo_stroke (cr);
	}

	/* the indicator line on the centre row */
	cairo_rectangle (cr, 3, centre, w - 6, 1);
	source (cr, hex (kAccent, 1));
	cairo_fill (cr);

	cairo_destroy (cr);
	return save (s, folder, "slider-handle.png");
}

/* Two frames stacked vertically: off (top), on (bottom). */
static int drawSwitch (const char* folder)
{
	const int w = 34, h = 18;
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, w, 2 * h);
	cairo_t* cr = cairo_create (s);
	for (int on = 0; on < 2; ++on)
	{
		double y = on * h;
		roundedRect (cr, 1.5, y + 2.5, w - 3, h - 5, (h - 5) / 2.);
		source (cr, hex (0x15181c, 1));
		cairo_fill_preserve (cr);
		cairo_set_line_width (cr, 1);
		source (cr, hex (0x4a515b, 1));
		cairo_stroke (cr);

		double cx = w / 2., cy = y + h / 2.;
		if (on)
		{
			cairo_pattern_t* glow = cairo_pattern_create_radial (cx, cy, 0, cx, cy, 8);
			Colour a = hex (kAccent, 1);
			cairo_pattern_add_color_stop_rgba (glow, 0, a.r, a.g, a.b, 0.55);
			cairo_pattern_add_color_stop_rgba (glow, 1, a.r, a.g, a.b, 0);
			cairo_arc (cr, cx, cy, 8, 0, 2 * PI);
			cairo_set_source (cr, glow);
			cairo_fill (cr);
			cairo_pattern_destroy (glow);
		}
		cairo_arc (cr, cx, cy, 3.2, 0, 2 * PI);
		source (cr, on ? hex (0xffd27a, 1) : hex (0x3d434b, 1));
		cairo_fill (cr);
	}
	cairo_destroy (cr);
	return save (s, folder, "switch.png");
}

static void centredText (cairo_t* cr, const char* text, double cx, double cy, double size)
{
	cairo_select_font_face (cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
	cairo_set_font_size (cr, size);
	cairo_text_extents_t e;
	cairo_text_extents (cr, text, &e);
	cairo_move_to (cr, cx - e.width / 2. - e.x_bearing, cy - e.height / 2. - e.y_bearing);
	cairo_show_text (cr, text);
}

static int drawBypass (const char* folder)
{
	const int w = 80, h = 22;
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, w, 2 * h);
	cairo_t* cr = cairo_create (s);
	for (int on = 0; on < 2; ++on)
	{
		double y = on * h;
		roundedRect (cr, 1.5, y + 1.5, w - 3, h - 3, (h - 3) / 2.);
		source (cr, on ? hex (kAccent, 1) : hex (0x1b1e23, 1));
		cairo_fill_preserve (cr);
		cairo_set_line_width (cr, 1);
		source (cr, on ? hex (0xffd27a, 1) : hex (0x4a515b, 1));
		cairo_stroke (cr);
		source (cr, on ? hex (0x1b1e23, 1) : hex (kDim, 1));
		centredText (cr, "BYPASS", w / 2., y + h / 2., 10);
	}
	cairo_destroy (cr);
	return save (s, folder, "bypass.png");
}

static int drawAbout (const char* folder)
{
	const int w = 20, h = 20;
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, w, 2 * h);
	cairo_t* cr = cairo_create (s);
	for (int on = 0; on < 2; ++on)
	{
		/* Each frame draws only inside its own square, and its ring starts a path of its
		 * own: the previous frame's text leaves a current point, which cairo_arc would join
		 * to the ring with a line across the frame boundary. */
		cairo_save (cr);
		cairo_rectangle (cr, 0, on * h, w, h);
		cairo_clip (cr);
		double cy = on * h + h / 2.;
		cairo_new_path (cr);
		cairo_arc (cr, w / 2., cy, 8.5, 0, 2 * PI);
		source (cr, on ? hex (kAccent, 0.18) : hex (0x1b1e23, 1));
		cairo_fill_preserve (cr);
		cairo_set_line_width (cr, 1.2);
		source (cr, on ? hex (kAccent, 1) : hex (0x5a616c, 1));
		cairo_stroke (cr);
		source (cr, on ? hex (kAccent, 1) : hex (kText, 0.8));
		cairo_select_font_face (cr, "DejaVu Serif", CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_BOLD);
		cairo_set_font_size (cr, 12);
		cairo_text_extents_t e;
		cairo_text_extents (cr, "i", &e);
		cairo_move_to (cr, w / 2. - e.width / 2. - e.x_bearing, cy - e.height / 2. - e.y_bearing);
		cairo_show_text (cr, "i");
		cairo_restore (cr);
	}
	cairo_destroy (cr);
	return save (s, folder, "about.png");
}

int main (int argc, char** argv)
{
	if (argc != 2)
	{
		fprintf (stderr, "usage: %s <output folder>\n", argv[0]);
		return 2;
	}
	const char* folder = argv[1];
	int failures = 0;
	failures += drawBackground (folder);
	failures += drawKnob (folder, "knob.png", 56);
	failures += drawKnob (folder, "knob-small.png", 44);
	failures += drawSliderTrack (folder);
	failures += drawSliderHandle (folder);
	failures += drawSwitch (folder);
	failures += drawBypass (folder);
	failures += drawAbout (folder);
	return failures ? 1 : 0;
}
