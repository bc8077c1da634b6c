// Draws the game's pictures as SVG: the 40 card faces, the back in both orientations,
// the title, the window icon and the mouse pointer.
// Every shape is defined once (pips, figures' parts) and placed with <use>, so the
// files stay small and all cards of a suit share one hand.
// Only what Qt's SVG renderer (SVG Tiny) understands is used: no clip paths, masks,
// filters or patterns.
// Usage: make_cards <assets folder>   (writes cards/NN.svg and the other pictures there)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kW = 85, kH = 153;             // card size
constexpr double kCx = kW / 2, kCy = kH / 2;    // card centre

enum Suit { kDenari = 1, kCoppe, kBastoni, kSpade };

// Short numbers keep the files small: at most two decimals, no trailing zeros.
std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
}

std::string fmt(const char* f, std::initializer_list<double> values) {
    // Replaces each '@' in f with the next value.
    std::string out;
    auto it = values.begin();
    for (const char* p = f; *p; ++p) {
        if (*p == '@' && it != values.end()) out += num(*it++);
        else out += *p;
    }
    return out;
}

std::string translate(double x, double y) { return fmt("translate(@,@)", {x, y}); }

// ---------------------------------------------------------------------------------------
// Palette: the flat, printed colours of a regional pack.
namespace col {
const char* ink = "#2a1a0c";
const char* gold = "#f1c232";
const char* gold_lt = "#ffe792";
const char* gold_dk = "#b8860b";
const char* red = "#c62828";
const char* red_dk = "#7f1414";
const char* blue = "#2456a6";
const char* blue_dk = "#163a75";
const char* green = "#2e7d32";
const char* green_lt = "#6aad4a";
const char* wood = "#a8672e";
const char* wood_lt = "#d9a066";
const char* wood_dk = "#5e3512";
const char* steel = "#dfe7ef";
const char* steel_dk = "#7f93a8";
const char* skin = "#f6d3ad";
const char* white = "#ffffff";
}  // namespace col

// Each suit's colour for the corner numbers, so the suit shows even from the number.
const char* suit_ink(Suit s) {
    switch (s) {
        case kDenari: return "#a0620a";
        case kCoppe: return "#b71c1c";
        case kBastoni: return "#1b6b24";
        case kSpade: return "#1d4591";
    }
    return col::ink;
}

// ---------------------------------------------------------------------------------------
// A picture under construction: the body, and the definitions it needs, each written once.
class Picture {
public:
    Picture(double w, double h) : w_(w), h_(h) {}

    // Makes sure definition `id` (and what it depends on) is in <defs>.
    void need(const std::string& id);
    // Places definition `id` with a transform.
    void use(const std::string& id, const std::string& transform = {}) {
        need(id);
        body << "<use xlink:href=\"#" << id << '"';
        if (!transform.empty()) body << " transform=\"" << transform << '"';
        body << "/>";
    }
    std::string str() const {
        std::ostringstream out;
        out << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
            << " width=\"" << num(w_) << "\" height=\"" << num(h_) << "\" viewBox=\"0 0 " << num(w_) << ' '
            << num(h_) << "\">\n";
        if (!defs_.str().empty()) out << "<defs>" << defs_.str() << "</defs>\n";
        out << body.str() << "\n</svg>\n";
        return out.str();
    }

    std::ostringstream body;

private:
    double w_, h_;
    std::set<std::string> have_;
    std::ostringstream defs_;
};

struct Def {
    std::vector<std::string> needs;
    std::string text;
};

// All shared definitions, filled in by define_all().
std::map<std::string, Def>& library() {
    static std::map<std::string, Def> lib;
    return lib;
}

void Picture::need(const std::string& id) {
    if (have_.count(id)) return;
    auto it = library().find(id);
    if (it == library().end()) {
        std::cerr << "no definition " << id << "\n";
        std::exit(1);
    }
    have_.insert(id);
    for (const auto& n : it->second.needs) need(n);
    defs_ << it->second.text;
}

void define(const std::string& id, std::vector<std::string> needs, const std::string& inner) {
    library()[id] = Def{std::move(needs), inner};
}
// A group definition.
void define_g(const std::string& id, std::vector<std::string> needs, const std::string& inner) {
    define(id, std::move(needs), "<g id=\"" + id + "\">" + inner + "</g>");
}

std::string linear(const std::string& id, double x1, double y1, double x2, double y2,
                   std::vector<std::pair<double, std::string>> stops) {
    std::string s = "<linearGradient id=\"" + id + "\" x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" +
                    num(x2) + "\" y2=\"" + num(y2) + "\">";
    for (auto& [o, c] : stops) s += "<stop offset=\"" + num(o) + "\" stop-color=\"" + c + "\"/>";
    return s + "</linearGradient>";
}
std::string radial(const std::string& id, double cx, double cy, double r,
                   std::vector<std::pair<double, std::string>> stops) {
    std::string s = "<radialGradient id=\"" + id + "\" cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" r=\"" +
                    num(r) + "\">";
    for (auto& [o, c] : stops) s += "<stop offset=\"" + num(o) + "\" stop-color=\"" + c + "\"/>";
    return s + "</radialGradient>";
}

// Small helpers for elements.
std::string path(const std::string& d, const std::string& fill, const std::string& stroke = {},
                 double sw = 0, const std::string& extra = {}) {
    std::string s = "<path d=\"" + d + "\" fill=\"" + fill + '"';
    if (!stroke.empty()) s += " stroke=\"" + stroke + "\" stroke-width=\"" + num(sw) + '"';
    if (!extra.empty()) s += ' ' + extra;
    return s + "/>";
}
std::string circle(double cx, double cy, double r, const std::string& fill, const std::string& stroke = {},
                   double sw = 0, const std::string& extra = {}) {
    std::string s = "<circle cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" r=\"" + num(r) + "\" fill=\"" + fill + '"';
    if (!stroke.empty()) s += " stroke=\"" + stroke + "\" stroke-width=\"" + num(sw) + '"';
    if (!extra.empty()) s += ' ' + extra;
    return s + "/>";
}
std::string ellipse(double cx, double cy, double rx, double ry, const std::string& fill,
                    const std::string& stroke = {}, double sw = 0, const std::string& extra = {}) {
    std::string s = "<ellipse cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" rx=\"" + num(rx) + "\" ry=\"" + num(ry) +
                    "\" fill=\"" + fill + '"';
    if (!stroke.empty()) s += " stroke=\"" + stroke + "\" stroke-width=\"" + num(sw) + '"';
    if (!extra.empty()) s += ' ' + extra;
    return s + "/>";
}
std::string rect(double x, double y, double w, double h, double r, const std::string& fill,
                 const std::string& stroke = {}, double sw = 0, const std::string& extra = {}) {
    std::string s = "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"" + num(w) + "\" height=\"" + num(h) + '"';
    if (r > 0) s += " rx=\"" + num(r) + "\" ry=\"" + num(r) + '"';
    s += " fill=\"" + fill + '"';
    if (!stroke.empty()) s += " stroke=\"" + stroke + "\" stroke-width=\"" + num(sw) + '"';
    if (!extra.empty()) s += ' ' + extra;
    return s + "/>";
}
std::string g(const std::string& transform, const std::string& inner) {
    return "<g transform=\"" + transform + "\">" + inner + "</g>";
}
std::string use_ref(const std::string& id, const std::string& transform = {}) {
    std::string s = "<use xlink:href=\"#" + id + '"';
    if (!transform.empty()) s += " transform=\"" + transform + '"';
    return s + "/>";
}

// A ring of `n` petals (ellipses) around the centre: the rosettes of coins and medallions.
std::string petals(int n, double dist, double rx, double ry, const std::string& fill, const std::string& stroke,
                   double sw, double start = 0) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        const double a = start + 360.0 * i / n;
        s += ellipse(0, -dist, rx, ry, fill, stroke, sw, "transform=\"rotate(" + num(a) + ")\"");
    }
    return s;
}

// ---------------------------------------------------------------------------------------
// The suit signs. Each is drawn at its usual size around (0,0); long ones point up.

void define_signs() {
    // Gradients shared by many shapes.
    define("gGold", {}, radial("gGold", 0.38, 0.32, 0.75, {{0, col::gold_lt}, {0.55, col::gold}, {1, col::gold_dk}}));
    define("gGoldBar", {}, linear("gGoldBar", 0, 0, 1, 0, {{0, col::gold_dk}, {0.4, col::gold_lt}, {1, col::gold_dk}}));
    define("gWood", {}, linear("gWood", 0, 0, 1, 0, {{0, col::wood_dk}, {0.42, col::wood_lt}, {1, col::wood}}));
    define("gSteel", {}, linear("gSteel", 0, 0, 1, 0, {{0, col::steel_dk}, {0.45, col::white}, {1, col::steel}}));
    define("gRed", {}, radial("gRed", 0.35, 0.3, 0.8, {{0, "#e85a4f"}, {0.6, col::red}, {1, col::red_dk}}));
    define("gBlue", {}, radial("gBlue", 0.35, 0.3, 0.8, {{0, "#6f9be0"}, {0.6, col::blue}, {1, col::blue_dk}}));

    // Denaro: a gold coin, beaded rim, a red rosette with a green heart.
    {
        std::string s;
        s += circle(0, 0, 10, "url(#gGold)", col::ink, 0.7);
        s += circle(0, 0, 8.3, "none", "#8a5a06", 1.3, "stroke-dasharray=\"0.01 2.17\" stroke-linecap=\"round\"");
        s += circle(0, 0, 6.6, "none", "#8a5a06", 0.5);
        s += petals(8, 3.4, 1.5, 2.9, col::red, col::red_dk, 0.35);
        s += circle(0, 0, 1.9, col::green, "#0f3d12", 0.4);
        s += circle(0, 0, 0.7, col::gold_lt);
        define_g("coin", {"gGold"}, s);
    }
    // Coppa: a golden goblet with a red band, a knop on the stem, a wide foot.
    {
        std::string s;
        // bowl
        s += path("M-9.2,-10.2C-9.4,-2.5-5.2,2.2,0,2.4C5.2,2.2,9.4,-2.5,9.2,-10.2Z", "url(#gGold)", col::ink, 0.7);
        // red band round the bowl
        s += path("M-8.6,-6.4C-5,-5,5,-5,8.6,-6.4L8.1,-3.6C4.5,-2.2,-4.5,-2.2,-8.1,-3.6Z", col::red, col::red_dk, 0.4);
        s += circle(0, -4.2, 1.1, col::blue, col::blue_dk, 0.3);
        // rim, seen a little from above
        s += ellipse(0, -10.4, 9.4, 2.1, col::gold_dk, col::ink, 0.7);
        s += ellipse(0, -10.6, 7.6, 1.2, "#7a5206");
        // stem and knop
        s += rect(-1.3, 2.2, 2.6, 6.2, 0, "url(#gGoldBar)", col::ink, 0.5);
        s += ellipse(0, 5, 2.9, 1.7, col::red, col::red_dk, 0.5);
        // foot
        s += path("M-1.6,8.2L-6.8,11.6C-4,13.4,4,13.4,6.8,11.6L1.6,8.2Z", "url(#gGold)", col::ink, 0.6);
        s += path("M-5.6,11.9C-3,12.8,3,12.8,5.6,11.9", "none", col::red, 0.7);
        define_g("cup", {"gGold", "gGoldBar"}, s);
    }
    // Bastone: a knobbly club, head up; 100 long, the handle bound in red.
    {
        std::string s;
        const char* knob =
            "M3.2,-17.5C4.8,-19.4,5.8,-21.4,6.3,-23.6C7.1,-24.4,8.6,-23.8,8.4,-22.7C8,-20,6.6,-16.6,3.3,-12.2Z";
        s += path(knob, "url(#gWood)", col::ink, 0.5, "transform=\"translate(0,-4)\"");
        s += path(knob, "url(#gWood)", col::ink, 0.5, "transform=\"translate(0,30)\"");
        s += path(knob, "url(#gWood)", col::ink, 0.5, "transform=\"scale(-1,1) translate(0,12)\"");
        s += path(knob, "url(#gWood)", col::ink, 0.5, "transform=\"scale(-1,1) translate(0,44)\"");
        s += path("M-2.4,49L-3.5,-35C-4.9,-41-3.9,-49.4,0,-50C3.9,-49.4,4.9,-41,3.5,-35L2.4,49Q0,50.6-2.4,49Z",
                  "url(#gWood)", col::ink, 0.7);
        // cut ends of the knobs
        for (auto [x, y] : std::vector<std::pair<double, double>>{{7.4, -27.2}, {7.4, 6.8}, {-7.4, -11.2}, {-7.4, 20.8}})
            s += ellipse(x, y, 1.1, 0.75, col::wood_lt, col::wood_dk, 0.3, "transform=\"rotate(" + num(x > 0 ? 30 : -30) + "," + num(x) + "," + num(y) + ")\"");
        // grain
        s += path("M-1,-40Q-1.6,-10-0.7,20M1.2,-30Q1.7,0,0.8,36", "none", col::wood_dk, 0.45, "opacity=\"0.7\"");
        // binding at the grip
        s += path("M-2.9,33L2.9,31.6L2.8,34.2L-2.8,35.6Z M-2.8,38.4L2.7,37L2.6,39.6L-2.7,41Z", col::red,
                  col::red_dk, 0.35);
        // head band
        s += path("M-3.9,-38.5Q0,-37,3.9,-38.5L3.7,-35.8Q0,-34.3,-3.7,-35.8Z", col::gold, col::ink, 0.35);
        define_g("club", {"gWood"}, s);
    }
    // Spada: a gently curved blade, point up; 100 long, gold hilt with a red grip.
    {
        std::string s;
        s += path("M-2.7,26Q-3.6,-14,1.4,-50Q4.9,-13,2.7,26Z", "url(#gSteel)", col::ink, 0.7);
        s += path("M0,23Q-0.3,-12,1.2,-42", "none", col::steel_dk, 0.6);
        // cross guard with curled quillons
        s += path("M-10.5,28.5C-10.8,25.5-8,24.6-6.5,26.2L6.5,26.2C8,24.6,10.8,25.5,10.5,28.5"
                  "C10.2,30.3,7.8,30.4,7.3,29.1L-7.3,29.1C-7.8,30.4-10.2,30.3-10.5,28.5Z",
                  "url(#gGoldBar)", col::ink, 0.6);
        s += circle(0, 27.6, 1.3, col::red, col::red_dk, 0.3);
        // grip and pommel
        s += rect(-1.9, 29.2, 3.8, 12.4, 0.8, col::red_dk, col::ink, 0.5);
        s += path("M-1.9,31.8L1.9,30.8M-1.9,34.6L1.9,33.6M-1.9,37.4L1.9,36.4M-1.9,40.2L1.9,39.2", "none", col::gold,
                  0.6);
        s += circle(0, 44.2, 2.8, "url(#gGold)", col::ink, 0.6);
        define_g("sword", {"gGoldBar", "gSteel", "gGold"}, s);
    }

    // Simplified signs for the corner index: bold shapes that survive being small.
    define_g("ixcoin", {"gGold"},
             circle(0, 0, 4.4, "url(#gGold)", col::ink, 0.6) + circle(0, 0, 2.9, "none", "#8a5a06", 0.5) +
                 circle(0, 0, 1.3, col::red));
    define_g("ixcup", {},
             path("M-4.4,-5C-4.5,-1.2-2.6,0.9,0,1C2.6,0.9,4.5,-1.2,4.4,-5Z", col::gold, col::ink, 0.55) +
                 path("M-4.1,-3.2Q0,-2,4.1,-3.2L3.8,-1.9Q0,-0.8,-3.8,-1.9Z", col::red) +
                 rect(-0.7, 0.9, 1.4, 2.4, 0, col::gold_dk) +
                 path("M-0.8,3L-3.4,5Q0,6,3.4,5L0.8,3Z", col::gold, col::ink, 0.5));
    define_g("ixclub", {},
             path("M-1.4,6.2L-2.2,-4.2C-2.6,-6.3-1.2,-7.2,0,-7.2C1.2,-7.2,2.6,-6.3,2.2,-4.2L1.4,6.2Q0,6.8-1.4,6.2Z",
                  col::wood, col::ink, 0.55) +
                 path("M1.8,-1.5L3.8,-4M-1.7,2L-3.6,-0.4", "none", col::wood_dk, 1.1, "stroke-linecap=\"round\"") +
                 rect(-1.5, 3.4, 3, 1.1, 0, col::red));
    define_g("ixsword", {},
             path("M-1.2,2.6L-1.1,-6.4L0,-8.2L1.1,-6.4L1.2,2.6Z", col::steel, col::ink, 0.5) +
                 rect(-3.8, 2.4, 7.6, 1.5, 0.7, col::gold, col::ink, 0.45) +
                 rect(-0.8, 3.9, 1.6, 2.6, 0, col::red_dk) + circle(0, 7.1, 1.1, col::gold, col::ink, 0.4));
}

// ---------------------------------------------------------------------------------------
// Pip layouts.

struct Spot {
    double x, y, angle, scale;
};

// Round signs (coins, cups): two columns, the traditional arrangements.
std::vector<Spot> round_layout(int n) {
    const double l = 28, r = 57, c = kCx;
    const double s = n <= 3 ? 1.3 : n <= 5 ? 1.18 : n == 6 ? 1.08 : 1.0;
    auto at = [&](std::vector<std::pair<double, double>> p) {
        std::vector<Spot> v;
        for (auto [x, y] : p) v.push_back({x, y, 0, s});
        return v;
    };
    switch (n) {
        case 2: return at({{c, 47}, {c, 106}});
        case 3: return at({{c, 36}, {c, kCy}, {c, 117}});
        case 4: return at({{l, 45}, {r, 45}, {l, 108}, {r, 108}});
        case 5: return at({{l, 40}, {r, 40}, {c, kCy}, {l, 113}, {r, 113}});
        case 6: return at({{l, 38}, {r, 38}, {l, kCy}, {r, kCy}, {l, 115}, {r, 115}});
        case 7: return at({{l, 36}, {r, 36}, {c - 23, kCy}, {c, kCy}, {c + 23, kCy}, {l, 117}, {r, 117}});
    }
    return {};
}

// Swords: crossing each other in a lattice, one upright when the number is odd.
std::vector<Spot> lattice_layout(int n) {
    std::vector<Spot> v;
    const int pairs = n / 2;
    const double angle = pairs == 1 ? 21 : pairs == 2 ? 22 : 20;
    const double scale = pairs == 1 ? 1.04 : pairs == 2 ? 0.9 : 0.82;
    const double step = pairs == 1 ? 0 : pairs == 2 ? 24 : 16;
    // With three pairs the middle one stands higher, so that the hilts do not pile up.
    auto lift = [&](int i) { return pairs < 3 ? 0.0 : i == 1 ? -12.0 : 5.0; };
    for (int i = 0; i < pairs; ++i) {  // leaning right, drawn first (underneath)
        const double dx = (i - (pairs - 1) / 2.0) * step;
        v.push_back({kCx + dx, kCy + lift(i), angle, scale});
    }
    for (int i = 0; i < pairs; ++i) {  // leaning left, on top
        const double dx = (i - (pairs - 1) / 2.0) * step;
        v.push_back({kCx + dx, kCy + lift(i), -angle, scale});
    }
    if (n % 2) v.push_back({kCx, kCy + (pairs == 3 ? 9 : 0), 0, pairs <= 1 ? 1.0 : pairs == 2 ? 0.92 : 0.86});
    return v;
}

// Clubs: a sheaf fanning out from the middle, the outer ones drawn first.
std::vector<Spot> sheaf_layout(int n) {
    if (n <= 3) return lattice_layout(n);
    const double spread = 26 + 2 * n;  // degrees of the outermost club
    const double scale = 0.95;
    std::vector<Spot> v;
    for (int i = 0; i < n; ++i) {
        const double a = -spread + 2 * spread * i / (n - 1);
        v.push_back({kCx, kCy, a, scale});
    }
    std::stable_sort(v.begin(), v.end(), [](const Spot& a, const Spot& b) { return std::abs(a.angle) > std::abs(b.angle); });
    return v;
}

// The red ribbon that ties a sheaf of clubs.
std::string knot() {
    std::string s;
    // bow loops and tails behind the band
    s += path("M-2,0C-10,-10,-19,-8,-17,0C-19,8,-10,10,-2,0Z", "url(#gRibbon)", col::ink, 0.5);
    s += path("M2,0C10,-10,19,-8,17,0C19,8,10,10,2,0Z", "url(#gRibbon)", col::ink, 0.5);
    s += path("M-2,2L-9,16L-6,15L-4.6,18L0,4Z", "url(#gRibbon)", col::ink, 0.5);
    s += path("M2,2L9,16L6,15L4.6,18L0,4Z", "url(#gRibbon)", col::ink, 0.5);
    s += rect(-4.2, -4.4, 8.4, 8.8, 1.8, col::red, col::ink, 0.6);
    s += path("M-4.2,-1.6H4.2M-4.2,1.6H4.2", "none", col::gold, 0.9);
    return s;
}

// ---------------------------------------------------------------------------------------
// The card.

const char* sign_id(Suit s) {
    switch (s) {
        case kDenari: return "coin";
        case kCoppe: return "cup";
        case kBastoni: return "club";
        case kSpade: return "sword";
    }
    return "";
}
const char* index_sign_id(Suit s) {
    switch (s) {
        case kDenari: return "ixcoin";
        case kCoppe: return "ixcup";
        case kBastoni: return "ixclub";
        case kSpade: return "ixsword";
    }
    return "";
}

// The number and a small sign in a corner; drawn again upside down in the opposite corner.
std::string index_mark(Suit suit, int number) {
    const std::string text = std::to_string(number);
    std::string s;
    const double size = number == 10 ? 12.5 : 14;
    s += "<text x=\"9.6\" y=\"15.2\" font-family=\"serif\" font-weight=\"bold\" font-size=\"" + num(size) +
         "\" text-anchor=\"middle\" fill=\"" + suit_ink(suit) + "\"" +
         (number == 10 ? " letter-spacing=\"-0.8\"" : "") + ">" + text + "</text>";
    s += use_ref(index_sign_id(suit), translate(9.6, 25) + " scale(1.12)");
    return s;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Aces and figures need the library too; they are written as plain strings of <use>s and
// their definitions are collected by scanning for references.
namespace {

// Adds to `p` every definition referenced by "#id" in `text`.
void need_refs(Picture& p, const std::string& text) {
    size_t pos = 0;
    while ((pos = text.find("xlink:href=\"#", pos)) != std::string::npos) {
        pos += 13;
        const size_t end = text.find('"', pos);
        p.need(text.substr(pos, end - pos));
    }
    pos = 0;
    while ((pos = text.find("url(#", pos)) != std::string::npos) {
        pos += 5;
        const size_t end = text.find(')', pos);
        p.need(text.substr(pos, end - pos));
    }
}

// Sunburst behind an ace: alternating rays.
std::string rays(double r_in, double r_out, int n, const std::string& fill_a, const std::string& fill_b) {
    std::string a, b;
    for (int i = 0; i < n; ++i) {
        const double a0 = 2 * kPi * i / n, a1 = 2 * kPi * (i + 0.5) / n, a2 = 2 * kPi * (i + 1) / n;
        std::string& d = i % 2 ? b : a;
        d += "M" + num(r_in * std::sin(a0)) + "," + num(-r_in * std::cos(a0)) + "L" + num(r_out * std::sin(a1)) + "," +
             num(-r_out * std::cos(a1)) + "L" + num(r_in * std::sin(a2)) + "," + num(-r_in * std::cos(a2)) + "Z";
    }
    return path(a, fill_a) + path(b, fill_b);
}

// A laurel sprig of leaves along a gentle arc, from (0,0) upwards, mirrored with scale(-1,1).
std::string laurel(int leaves, double len, double bend) {
    std::string s = path("M0,0Q" + num(bend) + "," + num(-len / 2) + ",0," + num(-len), "none", "#1f5a22", 0.9);
    for (int i = 0; i < leaves; ++i) {
        const double t = (i + 0.6) / leaves;
        const double y = -len * t;
        const double x = 2 * bend * t * (1 - t);
        for (int side : {-1, 1}) {
            const double a = side * 38 - 4;
            s += ellipse(0, -3.2, 1.5, 3.4, col::green_lt, "#1f5a22", 0.45,
                         "transform=\"translate(" + num(x) + "," + num(y) + ") rotate(" + num(a) + ")\"");
        }
    }
    s += ellipse(0, -len - 2.5, 1.4, 3, col::green_lt, "#1f5a22", 0.45);
    return s;
}


// A laurel wreath of radius r round (0,0), tied with a bow at the bottom.
std::string wreath(double r) {
    std::string half = path(fmt("M0,@A@,@ 0 0 1 0,@", {r, r, r, -r}), "none", "#1f5a22", 1);
    const int leaves = 9;
    for (int i = 0; i < leaves; ++i) {
        const double th = (100 + 150.0 * i / (leaves - 1)) * kPi / 180;  // from the bottom up the left side
        const double x = r * std::cos(th), y = r * std::sin(th);
        const double tangent = th * 180 / kPi + 90 + 180;                 // pointing up along the wreath
        for (int side : {-1, 1}) {
            half += ellipse(0, -3.4, 1.7, 3.6, side < 0 ? col::green_lt : col::green, "#1f5a22", 0.45,
                            "transform=\"translate(" + num(x) + "," + num(y) + ") rotate(" + num(tangent + 90 + side * 40) +
                                ")\"");
        }
    }
    std::string s = half + g("scale(-1,1)", half);
    s += path(fmt("M0,@C-6,@,-9,@,-3,@Z", {r, r - 4, r + 5, r + 2}), "url(#gRibbon)", col::ink, 0.4);
    s += path(fmt("M0,@C6,@,9,@,3,@Z", {r, r - 4, r + 5, r + 2}), "url(#gRibbon)", col::ink, 0.4);
    s += path(fmt("M-1,@L-6,@L-3,@ZM1,@L6,@L3,@Z", {r + 1, r + 10, r + 9.6, r + 1, r + 10, r + 9.6}), "url(#gRibbon)",
              col::ink, 0.4);
    s += circle(0, r, 1.8, col::red, col::ink, 0.4);
    return s;
}
}  // namespace

namespace {

std::string ace(Suit suit) {
    std::string s;
    switch (suit) {
        case kDenari: {
            // One great coin in a ring of gold and red rays.
            std::string c;
            c += rays(24, 34, 32, col::gold, col::red);
            c += circle(0, 0, 25, "url(#gGold)", col::ink, 0.9);
            c += circle(0, 0, 22.6, "none", "#8a5a06", 2, "stroke-dasharray=\"0.01 3.55\" stroke-linecap=\"round\"");
            c += circle(0, 0, 20.6, col::red, col::ink, 0.6);
            c += circle(0, 0, 18.6, "url(#gGold)", "#8a5a06", 0.6);
            c += petals(12, 10.4, 2.8, 6.6, col::red, col::red_dk, 0.45);
            c += petals(12, 9.8, 1.3, 3.6, col::gold_lt, "none", 0, 15);
            c += circle(0, 0, 5.4, col::green, "#0f3d12", 0.6);
            c += petals(6, 2.6, 1.1, 1.9, col::gold_lt, "none", 0);
            c += circle(0, 0, 1.3, col::red);
            s += g(translate(kCx, kCy), c);
            // small coins above and below, as on the old packs
            s += use_ref("coin", translate(kCx, 27) + " scale(0.75)");
            s += use_ref("coin", translate(kCx, 126) + " scale(0.75)");
            break;
        }
        case kCoppe: {
            // A tall lidded chalice.
            std::string c;
            c += path("M-19,-18C-20,0-11,11,0,12C11,11,20,0,19,-18Z", "url(#gGold)", col::ink, 0.9);
            c += path("M-18.4,-9C-10,-5.5,10,-5.5,18.4,-9L17,-2.5C9,1,-9,1,-17,-2.5Z", col::red, col::red_dk, 0.5);
            for (int i = -2; i <= 2; ++i)
                c += circle(i * 6.8, -5.6 + std::abs(i) * -0.6, 1.7, i % 2 ? col::green : col::blue, col::ink, 0.35);
            c += path("M-12,3Q0,9,12,3", "none", col::gold_dk, 0.8);
            c += ellipse(0, -18, 19.6, 3.6, col::gold_dk, col::ink, 0.9);
            // lid
            c += path("M-17,-19C-15,-29-6,-33,0,-33C6,-33,15,-29,17,-19Z", "url(#gGold)", col::ink, 0.9);
            c += path("M-13,-23Q0,-28,13,-23", "none", col::red, 1.6);
            c += ellipse(0, -34.5, 3, 2.2, col::gold, col::ink, 0.6);
            c += path("M0,-36.5L2.2,-41L0,-46L-2.2,-41Z", col::red, col::red_dk, 0.5);
            // stem, knops and foot
            c += rect(-2.2, 11, 4.4, 17, 0, "url(#gGoldBar)", col::ink, 0.6);
            c += ellipse(0, 15, 5.5, 2.6, col::red, col::red_dk, 0.6);
            c += ellipse(0, 23, 4.2, 2.1, "url(#gGold)", col::ink, 0.6);
            c += path("M-2.6,27L-15,37C-9,41.5,9,41.5,15,37L2.6,27Z", "url(#gGold)", col::ink, 0.8);
            c += path("M-12.5,37.6C-6,40.2,6,40.2,12.5,37.6", "none", col::red, 1.4);
            s += g(translate(kCx, kCy + 2), c);
            // a sprig on each side
            s += g(translate(kCx - 21, kCy + 42) + " rotate(-14)", laurel(4, 24, -5));
            s += g(translate(kCx + 21, kCy + 42) + " scale(-1,1) rotate(-14)", laurel(4, 24, -5));
            break;
        }
        case kBastoni: {
            // The Ace of bastoni is worth eleven points: a great club in a gold glory,
            // wound with a red and gold ribbon, so it is never overlooked.
            std::string c;
            c += g(translate(0, -4), rays(20, 42, 32, "#f6c343", "#e8912d") + circle(0, 0, 21, "#fff1c2") +
                                         circle(0, 0, 21, "none", col::red, 1.2));
            c += use_ref("club", "scale(1.36,1.24)");
            // a few leaves sprouting at the head
            for (int side : {-1, 1}) {
                const std::string m = side < 0 ? "scale(-1,1) " : "";
                c += g(m + "translate(5,-50) rotate(50)", ellipse(0, -5, 2.4, 5.6, col::green_lt, "#1f5a22", 0.5) +
                                                            path("M0,0V-9", "none", "#1f5a22", 0.5));
                c += g(m + "translate(5.6,-42) rotate(78)", ellipse(0, -4.4, 2, 4.6, col::green, "#1f5a22", 0.5));
            }
            // the ribbon: bands across the front, and where it turns behind the club a
            // darker fold at the edge
            for (int k = 0; k < 4; ++k) {
                const double y = -34 + 22 * k;
                c += path(fmt("M-6.8,@Q-9.4,@,-8.6,@Q-8,@,-6.8,@Z", {y - 17, y - 13.5, y - 10.5, y - 11, y - 11.4}),
                          col::red_dk, col::ink, 0.4);
                c += path(fmt("M6.8,@Q9.4,@,8.6,@Q8,@,6.8,@Z", {y - 6.6, y - 3, y - 0.2, y - 0.8, y - 1.2}), col::red_dk,
                          col::ink, 0.4);
                c += path(fmt("M-7.2,@Q0,@,7.2,@L7.2,@Q0,@,-7.2,@Z", {y + 3.4, y - 2.6, y - 6.6, y - 1, y + 3, y + 9}),
                          "url(#gRibbon)", col::ink, 0.5);
                c += path(fmt("M-6.8,@Q0,@,6.8,@M-6.8,@Q0,@,6.8,@", {y + 4.8, y - 1.2, y - 5.2, y + 7.6, y + 1.6, y - 2.4}),
                          "none", col::gold, 0.7);
            }
            // its two ends hang from a knot at the grip, cut like swallowtails
            for (int side : {-1, 1}) {
                const std::string m = side < 0 ? "scale(-1,1)" : "";
                c += g(m, path("M2,52C7,58,12,63,21,66L18.4,69.4L24,72.6C14,72,7,66,0.5,58Z", "url(#gRibbon)", col::ink,
                               0.5) +
                              path("M3,55C7.6,60.4,12,64,18.6,66.8", "none", col::gold, 0.7));
            }
            c += rect(-7.6, 48, 15.2, 6.4, 1.5, "url(#gRibbon)", col::ink, 0.5);
            c += path("M-7,49.6H7M-7,52.8H7", "none", col::gold, 0.7);
            s += g(translate(kCx, kCy + 1), c);
            break;
        }
        case kSpade: {
            // A great upright sword through a laurel wreath.
            std::string c;
            c += wreath(21);
            c += use_ref("sword", "translate(0,6) scale(1.18,1.3)");
            s += g(translate(kCx, kCy - 8), c);
            break;
        }
    }
    return s;
}

// ---------------------------------------------------------------------------------------
// Figures. Each suit dresses its people in its own colours.

struct Dress {
    const char* coat;     // main garment
    const char* coat_dk;  // its shadow and outline
    const char* under;    // second colour (hose, gown, lining)
    const char* trim;     // hems, belts
    const char* hat;      // cap or mantle
    const char* horse;    // the knight's horse
    const char* horse_dk;
};

Dress dress(Suit s) {
    switch (s) {
        case kDenari: return {"#2f6fc0", "#173b70", "#d94b3b", col::gold, "#c62828", "#f4efe6", "#9a8f80"};
        case kCoppe: return {"#c62828", "#6f1010", "#2f6fc0", col::gold, "#2e7d32", "#b9773e", "#5e3512"};
        case kBastoni: return {"#3d8b3d", "#1d4d1d", "#e0b43a", col::gold, "#b5362c", "#c9c9c9", "#6d6d6d"};
        case kSpade: return {"#7b3f98", "#3e1b52", "#3f8f8a", col::gold, "#1f4e9e", "#5a3d2b", "#2b1a10"};
    }
    return {};
}

// A face turned three-quarters to the viewer's left; (0,0) is the middle of the face.
std::string head(bool beard, const char* hair, const char* beard_col) {
    std::string s;
    s += path("M-6.6,-2.5C-6.8,-8.5-2.8,-10.5,0.5,-10.4C4.6,-10.3,7.4,-7.4,7,-1.2C6.6,4.4,3.9,8.2,0,8.4"
              "C-3.8,8.2-6.4,4.2-6.6,-2.5Z",
              col::skin, col::ink, 0.6);
    // hair behind the ear and over the forehead
    s += path("M7,-1.5C8.6,1.6,8.2,6.6,5.6,9.4L4.4,4.4C5.6,2.4,5.8,0.4,5.4,-1.6Z", hair, col::ink, 0.45);
    // eyes, brows, nose, mouth
    s += ellipse(-2.7, -1.4, 0.95, 0.75, col::ink) + ellipse(2.2, -1.4, 0.95, 0.75, col::ink);
    s += path("M-4,-3.4Q-2.7,-4.3-1.4,-3.5M1,-3.5Q2.3,-4.3,3.6,-3.4", "none", col::ink, 0.5);
    s += path("M-0.3,-1.2L-1.1,2.8L0.4,3.1", "none", "#9a5a3a", 0.55);
    s += path("M-1.6,5Q-0.2,5.9,1.3,5", "none", "#a23a2a", 0.7);
    s += ellipse(-4.1, 1.8, 1.3, 0.8, "#f2a28a", "", 0, "opacity=\"0.6\"");
    s += ellipse(3.9, 1.8, 1.3, 0.8, "#f2a28a", "", 0, "opacity=\"0.6\"");
    if (beard) {
        s += path("M-6.3,1.2C-5.6,8.6-2.4,13.6,0.2,14.8C2.8,13.6,6.4,8.6,6.8,1.2C5.6,5,3.6,6.8,0.2,7"
                  "C-3.2,6.8-5.3,5-6.3,1.2Z",
                  beard_col, col::ink, 0.5);
        s += path("M-3.4,4.4C-1.6,3.4,1.8,3.4,3.6,4.4C2,5.3,-1.8,5.3,-3.4,4.4Z", beard_col, col::ink, 0.4);
    }
    return s;
}

// A crown sitting on a head whose middle is (0,0).
std::string crown() {
    std::string s;
    s += path("M-7.6,-8.6L-8.8,-17.2L-4.6,-12.6L-2.4,-19.4L0.3,-13L3,-19.4L5.2,-12.6L9,-17.2L7.8,-8.6Z",
              "url(#gGold)", col::ink, 0.6);
    s += rect(-7.9, -10.6, 15.8, 2.6, 0.6, col::gold_dk, col::ink, 0.5);
    s += circle(-8.8, -17.6, 1, col::red, col::ink, 0.3) + circle(-2.4, -19.8, 1, col::red, col::ink, 0.3) +
         circle(3, -19.8, 1, col::red, col::ink, 0.3) + circle(9, -17.6, 1, col::red, col::ink, 0.3);
    s += circle(0, -9.3, 0.9, col::blue) + circle(-4.6, -9.3, 0.7, col::green) + circle(4.6, -9.3, 0.7, col::green);
    return s;
}

// The sign as held in a hand at (x,y).
std::string held_sign(Suit suit, double x, double y, double scale, double angle) {
    std::string t = translate(x, y);
    if (angle != 0) t += " rotate(" + num(angle) + ")";
    t += " scale(" + num(scale) + ")";
    return use_ref(sign_id(suit), t);
}

std::string hand(double x, double y) { return circle(x, y, 2.4, col::skin, col::ink, 0.5); }

// Fante: a young page standing, cap with a feather, short tunic, hose in two colours.
std::string fante(Suit suit) {
    const Dress d = dress(suit);
    std::string s;
    // legs in parti-coloured hose, shoes
    s += path("M34,96L33,134L39.4,134L41.4,98Z", d.under, col::ink, 0.7);
    s += path("M43.6,98L45.6,134L52,134L51,96Z", d.coat, col::ink, 0.7);
    s += path("M31,134.2C31,131.6,33.2,131,39.6,131.4L39.8,137.6L29.6,137.6C29.4,136,30,135,31,134.2Z",
              col::ink);
    s += path("M54,134.2C54,131.6,51.8,131,45.4,131.4L45.2,137.6L55.4,137.6C55.6,136,55,135,54,134.2Z", col::ink);
    // tunic, flared to the knee, with a belt
    s += path("M32.4,58C30.6,70,29.6,86,27,100C36,103,49,103,58,100C55.4,86,54.4,70,52.6,58C46,55,39,55,32.4,58Z",
              d.coat, col::ink, 0.8);
    s += path("M42.5,57L42.5,101", "none", d.coat_dk, 0.6);
    s += path("M29.4,84C38,86.5,47,86.5,55.6,84", "none", d.trim, 2.6);
    s += path("M27.3,98.5C36,101.6,49,101.6,57.7,98.5", "none", d.trim, 1.6);
    s += path("M35.8,58.2C38,63.5,47,63.5,49.2,58.2", "none", d.under, 3, "stroke-linecap=\"round\"");
    // sleeves and arms: left arm down to the belt, right arm raised holding the sign
    s += path("M33,59C28,62,25.4,70,25.8,80L30.2,81C30.4,73,32,66,35,62Z", d.under, col::ink, 0.7);
    s += path("M52,59C57,60.5,61,65,62,72L58,74.5C56.6,69,54,65.6,50.6,64Z", d.under, col::ink, 0.7);
    s += hand(28, 82);
    s += hand(60.6, 74.6);
    // neck and head
    s += rect(40.2, 50.5, 4.6, 6.5, 1, col::skin, col::ink, 0.5);
    s += g(translate(42.5, 43.5), head(false, "#6b3d17", ""));
    // hair below the cap
    s += path("M35.6,41.4C35.2,36.4,37.2,34.2,40,33.8L37,42.4Z", "#6b3d17", col::ink, 0.4);
    // cap with a feather
    s += path("M33.4,37.2C33,30,37.6,27.2,42.8,27.2C48.4,27.2,52.4,30.2,51.8,37C46,34.4,39.4,34.4,33.4,37.2Z", d.hat,
              col::ink, 0.7);
    s += path("M33,37.4C39,34.2,46.4,34.2,52.2,37.1", "none", d.trim, 1.6);
    s += path("M48,30C53,24,58,21.5,63,21C60,24.6,57.4,26.8,51,32.4Z", col::white, col::ink, 0.5);
    s += path("M50,31C54.6,26.4,58.6,23.2,62.4,21.6", "none", col::steel_dk, 0.4);
    // the sign
    switch (suit) {
        case kDenari: s += held_sign(suit, 60.6, 66, 1.25, 0) + hand(60.6, 74.6); break;
        case kCoppe: s += held_sign(suit, 60.6, 62, 1.05, 0) + hand(60.6, 74.6); break;
        case kBastoni: s += held_sign(suit, 60, 60, 0.62, 14) + hand(60.6, 74.6); break;
        case kSpade: s += held_sign(suit, 60.4, 56, 0.62, 6) + hand(60.6, 74.6); break;
    }
    return s;
}

// Re: a crowned king in a long mantle lined with ermine, holding his sign.
std::string re(Suit suit) {
    const Dress d = dress(suit);
    std::string s;
    // shoes peeping from the gown
    s += ellipse(36.4, 137.4, 5.2, 2.4, col::ink) + ellipse(48.6, 137.4, 5.2, 2.4, col::ink);
    // gown
    s += path("M33,62C31,86,30,112,29.6,137C38,139,47,139,55.4,137C55,112,54,86,52,62Z", d.under, col::ink, 0.8);
    s += path("M42.5,64L42.5,137.6", "none", d.trim, 2.2);
    s += path("M31.4,100C38.6,102,46.4,102,53.6,100", "none", d.trim, 2.2);
    // mantle, open in front, lined with ermine along its edges
    s += path("M32,57C24,66,20,100,17,138C23,139.6,28,139.6,32,138.6C32.4,110,34,84,38,64Z", d.coat, col::ink,
              0.8);
    s += path("M53,57C61,66,65,100,68,138C62,139.6,57,139.6,53,138.6C52.6,110,51,84,47,64Z", d.coat, col::ink,
              0.8);
    s += path("M32,138.6C32.4,110,34,84,38,64", "none", col::white, 2.6);
    s += path("M53,138.6C52.6,110,51,84,47,64", "none", col::white, 2.6);
    s += path("M32,138.6C32.4,110,34,84,38,64M53,138.6C52.6,110,51,84,47,64", "none", col::ink, 2.6,
              "stroke-dasharray=\"0.6 9\" stroke-dashoffset=\"-3\"");
    s += path("M20.6,110C22,100,24,86,27,76", "none", d.coat_dk, 0.7);
    s += path("M64.4,110C63,100,61,86,58,76", "none", d.coat_dk, 0.7);
    // ermine cape over the shoulders
    s += path("M30.6,56.6C34,53.4,51,53.4,54.4,56.6L56.4,65C48,68.6,37,68.6,28.6,65Z", col::white, col::ink, 0.7);
    s += path("M33,60L33,61.6M38,62L38,63.6M43,62.6L43,64.2M48,62L48,63.6M52.4,60L52.4,61.6", "none", col::ink,
              1.3);
    // arms: one across the chest, one holding the sign out
    s += path("M30,64C26,72,26,80,30,86L35,83C32.6,78,33,72,35,67Z", d.coat, col::ink, 0.7);
    s += path("M55,64C60,68,63,74,63.6,80L58.8,81.4C58,77,56,73,52.4,70Z", d.coat, col::ink, 0.7);
    s += path("M29.4,84.4L34.6,81.4", "none", col::white, 2.4);
    s += path("M58.4,80.6L63.8,79.2", "none", col::white, 2.4);
    s += hand(33.8, 86.6);
    // neck, head with a full beard, crown
    s += rect(40.2, 50, 4.6, 5.5, 1, col::skin, col::ink, 0.5);
    s += g(translate(42.5, 42.5), path("M-6.6,-4C-9,0,-8.8,6,-6.6,9L-4.4,2Z", "#e8e8e8", col::ink, 0.4) +
                                      head(true, "#e8e8e8", "#f2f2f2") + crown());
    switch (suit) {
        case kDenari: s += held_sign(suit, 61.4, 72, 1.25, 0); break;
        case kCoppe: s += held_sign(suit, 61.4, 68.6, 1.05, 0); break;
        case kBastoni: s += held_sign(suit, 61.4, 64, 0.66, 10); break;
        case kSpade: s += held_sign(suit, 61.6, 60, 0.66, 4); break;
    }
    s += hand(61.4, 81.4);
    return s;
}

// Cavallo: a rider on a horse stepping to the viewer's left.
std::string cavallo(Suit suit) {
    const Dress d = dress(suit);
    std::string s;
    const std::string hc = d.horse, hd = d.horse_dk;
    // far legs (darker), then tail, body, near legs
    s += path("M55,104L60,118L57.6,134L61.4,134.4L64.2,118.6L61,103Z", hd, col::ink, 0.6);
    s += path("M27,104L23.6,119L26,134L29.8,134L27.8,119.4L31.4,105Z", hd, col::ink, 0.6);
    s += path("M65.6,92C71,94,74,102,72.4,116C70.4,110,68,104,64,100Z", hd, col::ink, 0.6);
    // body, neck and head in one outline
    s += path("M66,95C67,104,64,110,56,111.6C46,113,36,113,28.6,110.2C24.4,108.4,22.2,104,22.4,98.6"
              "C20.8,92.6,19.8,87,17.8,82.6C15.6,80.2,12.8,80.4,10.6,79.4C8.6,78.6,8.6,76,10,74.6"
              "C12.8,71.4,16.4,68.4,19.4,64.8L20,61.8L22.4,64C26.6,66,30,70,32,76.4C34.6,84,40,87.4,48,87"
              "C56,86.8,64,88,66,95Z",
              hc, col::ink, 0.8);
    // mane
    s += path("M20.4,64C24.6,65.4,28.8,69.8,31,76.6L33.4,83.2C29,80,27.4,76.4,25.2,72.4C23.6,69.6,21.6,67.6,19.8,66.4Z",
              hd, col::ink, 0.5);
    // eye, nostril, mouth, bridle
    s += circle(17.6, 70.2, 0.9, col::ink);
    s += ellipse(11.4, 76.2, 0.8, 0.6, col::ink);
    s += path("M9.6,78.2Q11.2,79.2,13,78.8", "none", col::ink, 0.5);
    s += path("M13.6,79.6L17.6,73.2L22,66.4M17.6,73.2L26,76", "none", col::red_dk, 1);
    // near legs with hooves
    s += path("M56,108L54.6,120L56.2,134L60.2,134L59,120.6L61.4,108Z", hc, col::ink, 0.7);
    s += path("M30,107L28.6,120.4L31.4,134L35.2,134L33,120.6L35.4,109Z", hc, col::ink, 0.7);
    for (double x : {25.6, 31.2, 56.0, 57.4}) s += rect(x, 132.4, 4.4, 3, 0.6, col::ink);
    // saddle cloth
    s += path("M38,87.4C37,95,38,102,41,108L58,106C60,99,59.6,93,58,88Z", d.under, col::ink, 0.6);
    s += path("M38.6,104.2L58.6,102.4", "none", d.trim, 1.6);
    // rider: leg over the flank, body, head with a hat
    s += path("M44,86L41.4,100L43,114L47,114L47.2,100L50,90Z", d.coat, col::ink, 0.7);
    s += path("M41.4,113.2L49,113.2L49.4,116.6L40.2,116.6Z", col::ink);
    s += path("M40,62C37.8,70,38,80,40,90L53,90C54.6,80,54,70,51.6,62C47.8,59.6,43.8,59.6,40,62Z", d.coat, col::ink,
              0.8);
    s += path("M39.6,82.6L53.4,82.6", "none", d.trim, 2);
    s += path("M42.4,61.2C43.6,64.6,48.4,64.6,49.4,61.2", "none", d.under, 2.4, "stroke-linecap=\"round\"");
    // arms: reins hand forward, the other holding the sign high
    s += path("M41,64C37,68,34,73,31.4,78L34.6,80.6C37.6,76,40.6,72,43,69Z", d.under, col::ink, 0.6);
    s += hand(32, 80.6);
    s += path("M32,80.6L22,69", "none", col::red_dk, 0.8);
    s += path("M51,63C56,60,60,54,61.6,46L57.8,45C56.6,51,53.6,56.4,48.6,59Z", d.under, col::ink, 0.6);
    s += rect(43.6, 52, 4.4, 5, 1, col::skin, col::ink, 0.5);
    s += g(translate(45.6, 45) + " scale(0.92)", head(false, "#3b2412", ""));
    s += path("M36.8,42.4C36.2,34.6,41.4,31.6,46.4,31.6C51.6,31.6,55.8,34.8,55,42C49,39.4,42.8,39.4,36.8,42.4Z",
              d.hat, col::ink, 0.7);
    s += path("M35.4,42.6C42,39.4,49.4,39.4,56.4,42.2", "none", d.trim, 1.8);
    switch (suit) {
        case kDenari: s += held_sign(suit, 63, 30.5, 1.1, 0); break;
        case kCoppe: s += held_sign(suit, 63, 31, 0.95, 0); break;
        case kBastoni: s += held_sign(suit, 62.4, 33, 0.52, 20); break;
        case kSpade: s += held_sign(suit, 63, 27, 0.56, 14); break;
    }
    s += hand(60, 45);
    return s;
}

std::string figure(Suit suit, int number) {
    // A thin coloured frame sets the figures apart from the pip cards; it steps round
    // the corner indices so that they stand on the white.
    std::string s = path("M20,4H79Q81,4,81,6V119H66V147Q66,149,64,149H6Q4,149,4,147V34H19V5Q19,4,20,4Z", "#fbf6ea",
                         suit_ink(suit), 0.8);
    s += ellipse(kCx, 138.6, number == 9 ? 27 : 17, 2.6, "#000000", "", 0, "opacity=\"0.13\"");
    switch (number) {
        case 8: s += fante(suit); break;
        case 9: s += cavallo(suit); break;
        case 10: s += re(suit); break;
    }
    return s;
}

}  // namespace

std::string card_svg(Suit suit, int number) {
    Picture p(kW, kH);
    std::string body = rect(0.5, 0.5, kW - 1, kH - 1, 5, col::white, "#1c1c1c", 1);
    if (number == 1) {
        body += ace(suit);
    } else if (number <= 7) {
        const bool round = suit == kDenari || suit == kCoppe;
        const auto spots = round ? round_layout(number) : suit == kSpade ? lattice_layout(number) : sheaf_layout(number);
        for (const Spot& s : spots) {
            std::string t = translate(s.x, s.y);
            if (s.angle != 0) t += " rotate(" + num(s.angle) + ")";
            if (s.scale != 1) t += " scale(" + num(s.scale) + ")";
            // Swords leaning left are mirrored, so both blades of a pair curve outwards.
            if (suit == kSpade && s.angle < 0) t += " scale(-1,1)";
            body += use_ref(sign_id(suit), t);
        }
        if (suit == kBastoni && number >= 4) body += g(translate(kCx, kCy), knot());
    } else {
        body += figure(suit, number);
    }
    const std::string mark = index_mark(suit, number);
    body += mark + g("rotate(180," + num(kCx) + "," + num(kCy) + ")", mark);
    need_refs(p, body);
    p.body << body;
    return p.str();
}

// ---------------------------------------------------------------------------------------
// Back, title, icon, pointer.
namespace {

// Clips the line x+y=c or x-y=c to the rectangle and returns it as a path segment.
std::string lattice(double x0, double y0, double x1, double y1, double step) {
    std::string d;
    // lines going down-right (y = x - c) and down-left (y = -x + c)
    for (double c = (x0 - y1); c <= (x1 - y0); c += step) {
        const double ya = std::max(y0, x0 - c), yb = std::min(y1, x1 - c);
        if (yb > ya) d += "M" + num(ya + c) + "," + num(ya) + "L" + num(yb + c) + "," + num(yb);
    }
    for (double c = (x0 + y0); c <= (x1 + y1); c += step) {
        const double ya = std::max(y0, c - x1), yb = std::min(y1, c - x0);
        if (yb > ya) d += "M" + num(c - ya) + "," + num(ya) + "L" + num(c - yb) + "," + num(yb);
    }
    return d;
}

// The back, upright (85 x 153).
std::string back_design() {
    std::string s;
    s += rect(0.5, 0.5, kW - 1, kH - 1, 5, col::white, "#1c1c1c", 1);
    s += rect(4, 4, kW - 8, kH - 8, 2.5, "#7a1522", "#3d0a10", 0.8);
    s += path(lattice(5, 5, kW - 5, kH - 5, 7.2), "none", "#e2b659", 0.7, "opacity=\"0.85\"");
    // dots in the lattice cells
    std::string dots;
    for (double y = 5 + 3.6; y < kH - 5; y += 7.2)
        for (double x = 5 + 3.6 + (std::fmod((y - 8.6) / 7.2, 2) ? 0 : 0); x < kW - 5; x += 7.2) {
            // cell centres sit between the crossings
            dots += "M" + num(x + 0.9) + "," + num(y) + "A0.9,0.9 0 1 0 " + num(x - 0.9) + "," + num(y) + "A0.9,0.9 0 1 0 " +
                    num(x + 0.9) + "," + num(y) + "Z";
        }
    s += path(dots, "#b8324a");
    s += rect(7, 7, kW - 14, kH - 14, 1.5, "none", "#e2b659", 1.2);
    // central medallion
    std::string m;
    m += ellipse(0, 0, 19, 27, "#7a1522", "#e2b659", 1.6);
    m += ellipse(0, 0, 16, 23.6, "#1f3a78", "#e2b659", 0.8);
    m += petals(8, 9, 3.4, 7.6, "#e2b659", "#7a4a10", 0.5, 22.5);
    m += petals(8, 8, 2.2, 5.4, "#b8324a", "none", 0);
    m += circle(0, 0, 4.6, "#e2b659", "#7a4a10", 0.6);
    m += circle(0, 0, 2, "#b8324a");
    s += g(translate(kCx, kCy), m);
    return s;
}

std::string back_svg(bool side) {
    Picture p(side ? kH : kW, side ? kW : kH);
    if (side) p.body << g("translate(" + num(kH) + ",0) rotate(90)", back_design());
    else p.body << back_design();
    return p.str();
}

std::string title_svg() {
    Picture p(161, 67);
    std::string s;
    s += rect(1, 1, 159, 65, 8, "#7a1522", "#3d0a10", 1.2);
    s += rect(4, 4, 153, 59, 6, "none", "#e2b659", 1);
    s += "<text x=\"80.5\" y=\"33\" font-family=\"serif\" font-style=\"italic\" font-weight=\"bold\" font-size=\"24\""
         " text-anchor=\"middle\" fill=\"#ffe792\" stroke=\"#3d0a10\" stroke-width=\"0.6\">Dolvaro</text>";
    s += "<text x=\"80.5\" y=\"53\" font-family=\"serif\" font-style=\"italic\" font-size=\"16\""
         " text-anchor=\"middle\" fill=\"#f6ead0\">a calvone</text>";
    s += use_ref("ixcoin", translate(15, 23) + " scale(1.2)");
    s += use_ref("ixcup", translate(15, 46) + " scale(1.2)");
    s += use_ref("ixclub", translate(146, 23) + " scale(1.2)");
    s += use_ref("ixsword", translate(146, 46) + " scale(1.2)");
    need_refs(p, s);
    p.body << s;
    return p.str();
}

std::string icon_svg() {
    Picture p(32, 32);
    std::string s;
    // a back behind, a face in front showing a coin
    s += g("rotate(-14,16,16)", rect(6, 4.5, 15, 24, 2, "#7a1522", "#1c1c1c", 1) +
                                    rect(8.4, 7, 10.2, 19, 1, "none", "#e2b659", 0.8));
    s += g("rotate(12,16,16)", rect(11, 3.5, 15, 24, 2, col::white, "#1c1c1c", 1) +
                                   use_ref("coin", translate(18.5, 15.5) + " scale(0.6)"));
    need_refs(p, s);
    p.body << s;
    return p.str();
}

std::string pointer_svg() {
    Picture p(32, 32);
    std::string s;
    // a small card with its square corner on the hot spot (0,0); a soft shadow to the right
    s += path("M3,3L21,3Q23,3,23,5L23,28Q23,30,21,30L5,30Q3,30,3,28Z", "#000000", "", 0, "opacity=\"0.3\"");
    s += path("M0.5,0.5L18.5,0.5Q20.5,0.5,20.5,2.5L20.5,25.5Q20.5,27.5,18.5,27.5L2.5,27.5Q0.5,27.5,0.5,25.5Z",
              col::white, "#1c1c1c", 1);
    s += rect(3, 3, 15, 22, 1, "none", "#7a1522", 0.8);
    s += use_ref("coin", translate(10.5, 14) + " scale(0.55)");
    need_refs(p, s);
    p.body << s;
    return p.str();
}

bool write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out) std::cerr << "cannot write " << file << "\n";
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_cards <assets folder>\n";
        return 2;
    }
    define_signs();
    define("gRibbon", {}, linear("gRibbon", 0, 0, 0, 1, {{0, "#e0463a"}, {0.5, col::red}, {1, col::red_dk}}));
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir / "cards");
    bool ok = true;
    for (int suit = kDenari; suit <= kSpade; ++suit) {
        for (int number = 1; number <= 10; ++number) {
            const std::string svg = card_svg(static_cast<Suit>(suit), number);
            char name[16];
            std::snprintf(name, sizeof name, "%02d.svg", (suit - 1) * 10 + number);
            ok &= write(dir / "cards" / name, svg);
        }
    }
    ok &= write(dir / "back_upright.svg", back_svg(false));
    ok &= write(dir / "back_side.svg", back_svg(true));
    ok &= write(dir / "title.svg", title_svg());
    ok &= write(dir / "icon.svg", icon_svg());
    ok &= write(dir / "pointer.svg", pointer_svg());
    return ok ? 0 : 1;
}
