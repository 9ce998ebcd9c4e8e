// Draws the program's icons as flat pictograms with cairo and writes them as
// "<name>.png" (32 x 32) and "<name>-16.png" (16 x 16) into a folder:
//
//     build/tools/icondraw/icondraw resources/icons
//
// Every picture is drawn once on a 32-unit grid; the small size is the same
// drawing at half scale with outlines kept one pixel wide. Outlines sit on
// odd coordinates so they stay sharp at both sizes.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Color
{
    double r, g, b;
};

constexpr Color kInk = {0.20, 0.24, 0.28};
constexpr Color kPaper = {0.99, 0.99, 0.97};
constexpr Color kBlue = {0.24, 0.49, 0.79};
constexpr Color kLightBlue = {0.66, 0.80, 0.94};
constexpr Color kGreen = {0.22, 0.62, 0.29};
constexpr Color kRed = {0.84, 0.30, 0.27};
constexpr Color kYellow = {0.97, 0.77, 0.13};
constexpr Color kGrey = {0.60, 0.64, 0.68};
constexpr Color kLightGrey = {0.84, 0.86, 0.88};
constexpr Color kBrown = {0.62, 0.40, 0.22};

constexpr double kPi = 3.14159265358979323846;

// One drawing in progress: the outline width is in units of the 32 grid.
struct Pen
{
    cairo_t* cr;
    double line;

    void Set(Color c, double alpha = 1) const { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

    // Fills the current path with fill, then outlines it.
    void FillStroke(Color fill, Color outline = kInk, double width = 0) const
    {
        Set(fill);
        cairo_fill_preserve(cr);
        Stroke(outline, width);
    }

    void Stroke(Color outline = kInk, double width = 0) const
    {
        Set(outline);
        cairo_set_line_width(cr, width > 0 ? width : line);
        cairo_stroke(cr);
    }

    void Fill(Color fill) const
    {
        Set(fill);
        cairo_fill(cr);
    }

    void Rect(double left, double top, double right, double bottom) const
    {
        cairo_rectangle(cr, left, top, right - left, bottom - top);
    }

    void RoundRect(double left, double top, double right, double bottom, double radius) const
    {
        cairo_new_sub_path(cr);
        cairo_arc(cr, right - radius, top + radius, radius, -kPi / 2, 0);
        cairo_arc(cr, right - radius, bottom - radius, radius, 0, kPi / 2);
        cairo_arc(cr, left + radius, bottom - radius, radius, kPi / 2, kPi);
        cairo_arc(cr, left + radius, top + radius, radius, kPi, 3 * kPi / 2);
        cairo_close_path(cr);
    }

    void Circle(double x, double y, double radius) const
    {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, radius, 0, 2 * kPi);
    }

    void Polygon(std::initializer_list<std::pair<double, double>> points, bool closed = true) const
    {
        bool first = true;
        for (auto [x, y] : points) {
            if (first)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
            first = false;
        }
        if (closed)
            cairo_close_path(cr);
    }

    void Line(double x1, double y1, double x2, double y2, Color color = kInk,
              double width = 0) const
    {
        cairo_move_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
        Stroke(color, width);
    }
};

// MARK: The pictograms

void DrawPerson(const Pen& p, double x, Color body)
{
    // Shoulders: the upper half of an ellipse.
    cairo_save(p.cr);
    cairo_translate(p.cr, x, 29);
    cairo_scale(p.cr, 9, 11);
    cairo_arc(p.cr, 0, 0, 1, kPi, 2 * kPi);
    cairo_restore(p.cr);
    cairo_close_path(p.cr);
    p.FillStroke(body);
    p.Circle(x, 11, 5);
    p.FillStroke(body);
}

// Workers: two people.
void DrawWko(const Pen& p)
{
    DrawPerson(p, 20, kLightBlue);
    DrawPerson(p, 12, kBlue);
}

// The order editor: a clipboard with a list of jobs.
void DrawJob(const Pen& p)
{
    p.RoundRect(5, 5, 27, 31, 2);
    p.FillStroke(kBrown);
    p.Rect(9, 9, 23, 28);
    p.FillStroke(kPaper);
    p.RoundRect(11, 3, 21, 9, 1.5);
    p.FillStroke(kGrey);
    for (double y : {14.0, 19.0, 24.0}) {
        p.Rect(11, y - 1.5, 14, y + 1.5);
        p.Fill(kGreen);
        p.Line(16, y, 21, y);
    }
}

void DrawPrn(const Pen& p)
{
    p.Rect(9, 3, 23, 13);
    p.FillStroke(kPaper);
    p.RoundRect(3, 11, 29, 25, 2);
    p.FillStroke(kGrey);
    p.Rect(9, 19, 23, 29);
    p.FillStroke(kPaper);
    p.Line(12, 23, 20, 23);
    p.Line(12, 26, 18, 26);
    p.Circle(24.5, 15.5, 1.5);
    p.Fill(kGreen);
}

// A page with a folded corner.
void DrawPage(const Pen& p, double left, double top, double right, double bottom, Color fill)
{
    p.Polygon({{left, top}, {right - 6, top}, {right, top + 6}, {right, bottom}, {left, bottom}});
    p.FillStroke(fill);
    p.Polygon({{right - 6, top}, {right - 6, top + 6}, {right, top + 6}}, false);
    p.Stroke();
}

// The HTML report: a page with markup brackets.
void DrawEditHtm(const Pen& p)
{
    DrawPage(p, 5, 3, 27, 29, kPaper);
    cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(p.cr, CAIRO_LINE_JOIN_ROUND);
    p.Polygon({{13, 13}, {9, 18}, {13, 23}}, false);
    p.Stroke(kBlue, 2.5);
    p.Polygon({{19, 13}, {23, 18}, {19, 23}}, false);
    p.Stroke(kBlue, 2.5);
    p.Line(17.5, 12, 14.5, 24, kRed, 2);
}

void DrawArrow(const Pen& p, bool forward)
{
    cairo_save(p.cr);
    if (!forward) {
        cairo_translate(p.cr, 32, 0);
        cairo_scale(p.cr, -1, 1);
    }
    p.Polygon({{3, 12}, {17, 12}, {17, 5}, {29, 16}, {17, 27}, {17, 20}, {3, 20}});
    cairo_set_line_join(p.cr, CAIRO_LINE_JOIN_ROUND);
    p.FillStroke(forward ? kGreen : kBlue);
    cairo_restore(p.cr);
}

void DrawFwd(const Pen& p)
{
    DrawArrow(p, true);
}
void DrawBwd(const Pen& p)
{
    DrawArrow(p, false);
}

void DrawTrash(const Pen& p)
{
    p.Polygon({{7, 9}, {25, 9}, {23, 30}, {9, 30}});
    p.FillStroke(kLightGrey);
    for (double x : {12.5, 16.0, 19.5})
        p.Line(x, 13, x, 26, kGrey, 2);
    p.RoundRect(11, 3, 21, 7, 1);
    p.Stroke();
    p.RoundRect(4, 6, 28, 10, 1);
    p.FillStroke(kGrey);
}

void DrawCheck(const Pen& p)
{
    p.Circle(16, 16, 13);
    p.FillStroke(kGreen);
    cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(p.cr, CAIRO_LINE_JOIN_ROUND);
    p.Polygon({{9, 16.5}, {14, 21.5}, {23, 11}}, false);
    p.Stroke(kPaper, 4);
}

// A cup of tea: a pause.
void DrawTeaCup(const Pen& p)
{
    cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_ROUND);
    for (double x : {11.0, 17.0}) {
        cairo_move_to(p.cr, x, 10);
        cairo_curve_to(p.cr, x - 3, 8, x + 3, 5, x, 2);
        p.Stroke(kGrey, 2);
    }
    p.Circle(25, 19, 4);
    p.Stroke(kInk, 3);
    cairo_move_to(p.cr, 5, 13);
    cairo_line_to(p.cr, 26, 13);
    cairo_curve_to(p.cr, 26, 22, 22, 27, 15.5, 27);
    cairo_curve_to(p.cr, 9, 27, 5, 22, 5, 13);
    cairo_close_path(p.cr);
    p.FillStroke(kPaper);
    p.Rect(7, 14, 24, 17);
    p.Fill(kBrown);
    cairo_save(p.cr);
    cairo_translate(p.cr, 15.5, 29);
    cairo_scale(p.cr, 13, 2);
    p.Circle(0, 0, 1);
    cairo_restore(p.cr);
    p.FillStroke(kLightGrey);
}

// Holidays: a calendar sheet with the sun on it.
void DrawHoliday(const Pen& p)
{
    p.Rect(3, 5, 29, 29);
    p.FillStroke(kPaper);
    p.Rect(3, 5, 29, 11);
    p.FillStroke(kRed);
    p.Line(10, 2, 10, 8, kInk, 2.5);
    p.Line(22, 2, 22, 8, kInk, 2.5);
    cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 8; i++) {
        double a = i * kPi / 4;
        p.Line(16 + 6.5 * std::cos(a), 20 + 6.5 * std::sin(a), 16 + 8.5 * std::cos(a),
               20 + 8.5 * std::sin(a), kYellow, 2);
    }
    p.Circle(16, 20, 4.5);
    p.FillStroke(kYellow, kBrown, 1.5);
}

// Templates: a blank form on a stack of pages.
void DrawTempl(const Pen& p)
{
    DrawPage(p, 11, 1, 29, 23, kLightGrey);
    DrawPage(p, 3, 7, 23, 31, kPaper);
    for (double y : {15.0, 21.0}) {
        p.Rect(7, y - 2, 19, y + 2);
        p.Stroke(kBlue, 1.5);
    }
    p.Line(7, 27, 13, 27, kBlue, 1.5);
}

void DrawSnaps(const Pen& p)
{
    p.RoundRect(10, 5, 20, 11, 1.5);
    p.FillStroke(kGrey);
    p.RoundRect(3, 9, 29, 27, 2.5);
    p.FillStroke(kGrey);
    p.Circle(16, 18, 6.5);
    p.FillStroke(kLightGrey);
    p.Circle(16, 18, 3.5);
    p.Fill(kBlue);
    p.Rect(23, 12, 26, 14);
    p.Fill(kYellow);
}

// A file link: two chain rings.
void DrawBookmark(const Pen& p)
{
    cairo_save(p.cr);
    cairo_translate(p.cr, 16, 16);
    cairo_rotate(p.cr, -kPi / 4);
    p.RoundRect(-13, -4.5, 2, 4.5, 4.5);
    p.Stroke(kInk, 5);
    p.RoundRect(-13, -4.5, 2, 4.5, 4.5);
    p.Stroke(kBlue, 3);
    p.RoundRect(-2, -4.5, 13, 4.5, 4.5);
    p.Stroke(kInk, 5);
    p.RoundRect(-2, -4.5, 13, 4.5, 4.5);
    p.Stroke(kLightBlue, 3);
    cairo_restore(p.cr);
}

struct Icon
{
    const char* name;
    std::function<void(const Pen&)> draw;
};

const std::vector<Icon>& Icons()
{
    static const std::vector<Icon> icons = {
        {"Wko", DrawWko},           {"Job", DrawJob},     {"Prn", DrawPrn},
        {"edit_htm", DrawEditHtm},  {"Fwd", DrawFwd},     {"Bwd", DrawBwd},
        {"Trash", DrawTrash},       {"Check", DrawCheck}, {"TeaCup", DrawTeaCup},
        {"Holiday", DrawHoliday},   {"templ", DrawTempl}, {"snaps", DrawSnaps},
        {"bookmark", DrawBookmark},
    };
    return icons;
}

bool Write(const Icon& icon, int size, const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    double scale = size / 32.0;
    cairo_scale(cr, scale, scale);
    // One pixel at every size: 2 units at 16 pixels, 1.5 at 32 (a little
    // bolder there would look heavy next to the button captions).
    Pen pen{cr, size >= 32 ? 1.5 : 2.0};
    icon.draw(pen);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <icons folder>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    int failures = 0;
    for (const Icon& icon : Icons()) {
        for (auto [size, suffix] : {std::pair{32, ""}, std::pair{16, "-16"}}) {
            std::string path = folder + "/" + icon.name + suffix + ".png";
            if (!Write(icon, size, path)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                failures++;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
