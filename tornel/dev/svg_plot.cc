#include "tornel/dev/svg_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "tornel/dev/projection.h"

namespace tornel::dev {

namespace {

constexpr double kPanelWidth = 400;
constexpr double kPanelHeight = 360;
constexpr double kGap = 16;
constexpr double kHeader = 64;
constexpr double kMargin = 30;    // around the drawing in a panel
constexpr double kPanelTop = 28;  // the panel's title above the drawing
constexpr double kPanelFoot = 44; // the axes and the extents below it

// A number for the reader: up to four decimals, no trailing zeros, no "-0".
std::string Value(double v, int decimals = 4) {
  if (std::fabs(v) < 0.5 * std::pow(10.0, -decimals)) v = 0;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  std::string s = buffer;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

std::string Px(double v) { return Value(v, 2); }

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

struct Box {
  double min_x = std::numeric_limits<double>::infinity(), min_y = min_x;
  double max_x = -min_x, max_y = -min_x;
  void Add(Point2 p) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
};

// From view units to the panel's pixels (y down).
struct Fit {
  double scale = 1, left = 0, bottom = 0;
  Box box;
  Point2 operator()(Point2 p) const {
    return {left + (p.x - box.min_x) * scale, bottom - (p.y - box.min_y) * scale};
  }
};

Fit FitInto(const Box& box, double x, double y, double w, double h) {
  Fit f;
  f.box = box;
  double dx = box.max_x - box.min_x, dy = box.max_y - box.min_y;
  if (dx > 0 && dy > 0)
    f.scale = std::min(w / dx, h / dy);
  else if (dx > 0)
    f.scale = w / dx;
  else if (dy > 0)
    f.scale = h / dy;
  f.left = x + (w - dx * f.scale) / 2;
  f.bottom = y + h - (h - dy * f.scale) / 2;
  return f;
}

const char* StrokeStyle(MoveKind kind) {
  return kind == MoveKind::kRapid ? "stroke-dasharray=\"6 4\"" : "";
}

std::string PathStart(MoveKind kind) {
  return std::string("<path class=\"") + (kind == MoveKind::kRapid ? "rapid" : "feed") +
         "\" fill=\"none\" stroke=\"" + (kind == MoveKind::kRapid ? kRapidColour : kFeedColour) +
         "\" stroke-width=\"1.5\" " + StrokeStyle(kind) + " d=\"";
}

// The strokes in chains of one kind, each chain one path element.
void WriteStrokes(std::string& svg, const std::vector<Stroke>& strokes, const Fit& fit) {
  bool open = false;
  MoveKind kind = MoveKind::kFeed;
  Point2 pen{};
  for (const Stroke& s : strokes) {
    Point2 first = fit(s.points.front());
    if (open && s.kind != kind) {
      svg += "\"/>\n";
      open = false;
    }
    if (!open) {
      svg += PathStart(s.kind);
      kind = s.kind;
      open = true;
      svg += "M" + Px(first.x) + " " + Px(first.y);
    } else if (std::hypot(first.x - pen.x, first.y - pen.y) > 0.01) {
      svg += " M" + Px(first.x) + " " + Px(first.y);
    }
    if (s.arc) {
      Point2 end = fit(s.points[1]);
      std::string r = Px(std::max(s.radius * fit.scale, 0.01));
      svg += " A" + r + " " + r + " 0 " + (s.large ? "1 " : "0 ") + (s.ccw ? "0 " : "1 ") +
             Px(end.x) + " " + Px(end.y);
      pen = end;
    } else {
      for (size_t k = 1; k < s.points.size(); ++k) {
        Point2 p = fit(s.points[k]);
        svg += " L" + Px(p.x) + " " + Px(p.y);
        pen = p;
      }
    }
  }
  if (open) svg += "\"/>\n";
}

constexpr const char* kAxisNames[3] = {"X", "Y", "Z"};

// Arrows for the world axes the view shows, from (x, y), and the extents
// of the path along them.
void WriteAxes(std::string& svg, const View& view, double x, double y, double right,
               const Point3& lo, const Point3& hi) {
  std::string extents;
  for (int a = 0; a < 3; ++a) {
    Point3 unit{0, 0, 0};
    unit[a] = 1;
    Point2 d = Project(view, unit);
    if (std::hypot(d.x, d.y) < 0.1) continue;
    double ex = x + 22 * d.x, ey = y - 22 * d.y;
    double len = std::hypot(d.x, d.y);
    double ux = d.x / len, uy = -d.y / len;  // along the arrow, in pixels
    svg += "<line x1=\"" + Px(x) + "\" y1=\"" + Px(y) + "\" x2=\"" + Px(ex) + "\" y2=\"" + Px(ey) +
           "\" stroke=\"#333\"/>\n";
    svg += "<polygon fill=\"#333\" points=\"" + Px(ex) + "," + Px(ey) + " " +
           Px(ex - 6 * ux + 3 * uy) + "," + Px(ey - 6 * uy - 3 * ux) + " " + Px(ex - 6 * ux - 3 * uy) +
           "," + Px(ey - 6 * uy + 3 * ux) + "\"/>\n";
    svg += "<text class=\"axis\" x=\"" + Px(x + 31 * d.x - 4) + "\" y=\"" + Px(y - 31 * d.y + 4) +
           "\">" + kAxisNames[a] + "</text>\n";
    if (!extents.empty()) extents += ", ";
    extents += std::string(kAxisNames[a]) + " " + Value(lo[a], 3) + " to " + Value(hi[a], 3);
  }
  svg += "<text class=\"extents\" x=\"" + Px(right) + "\" y=\"" + Px(y) +
         "\" text-anchor=\"end\">" + extents + "</text>\n";
}

void WritePanel(std::string& svg, const Toolpath& path, const View& view, const char* id,
                double px, double py, const Point3& lo, const Point3& hi) {
  svg += std::string("<g id=\"") + id + "\">\n";
  svg += "<rect x=\"" + Px(px) + "\" y=\"" + Px(py) + "\" width=\"" + Px(kPanelWidth) +
         "\" height=\"" + Px(kPanelHeight) + "\" fill=\"#fbfbfb\" stroke=\"#999\"/>\n";
  svg += "<text class=\"view-title\" x=\"" + Px(px + 10) + "\" y=\"" + Px(py + 19) +
         "\" font-weight=\"bold\">" + Escape(view.title) + "</text>\n";

  std::vector<Stroke> strokes;
  std::vector<Point3> samples;
  Box box;
  for (const ToolMove& m : path.moves) {
    ProjectMove(view, m, strokes);
    samples.clear();
    SamplePoints(m, {view.right, view.up}, samples);
    for (const Point3& p : samples) box.Add(Project(view, p));
  }
  for (const Point3& h : path.holes) box.Add(Project(view, h));
  Fit fit = FitInto(box, px + kMargin, py + kPanelTop, kPanelWidth - 2 * kMargin,
                    kPanelHeight - kPanelTop - kPanelFoot);
  WriteStrokes(svg, strokes, fit);
  for (const Point3& h : path.holes) {
    Point2 p = fit(Project(view, h));
    svg += "<circle class=\"hole\" cx=\"" + Px(p.x) + "\" cy=\"" + Px(p.y) +
           "\" r=\"3.5\" fill=\"none\" stroke=\"" + kHoleColour + "\" stroke-width=\"1.5\"/>\n";
  }
  WriteAxes(svg, view, px + 16, py + kPanelHeight - 12, px + kPanelWidth - 10, lo, hi);
  svg += "</g>\n";
}

void WriteLegend(std::string& svg, double x, double y) {
  svg += "<g id=\"legend\">\n";
  svg += "<line x1=\"" + Px(x) + "\" y1=\"" + Px(y) + "\" x2=\"" + Px(x + 30) + "\" y2=\"" + Px(y) +
         "\" stroke=\"" + kRapidColour + "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n";
  svg += "<text x=\"" + Px(x + 36) + "\" y=\"" + Px(y + 4) + "\">rapid</text>\n";
  svg += "<line x1=\"" + Px(x + 90) + "\" y1=\"" + Px(y) + "\" x2=\"" + Px(x + 120) + "\" y2=\"" +
         Px(y) + "\" stroke=\"" + kFeedColour + "\" stroke-width=\"1.5\"/>\n";
  svg += "<text x=\"" + Px(x + 126) + "\" y=\"" + Px(y + 4) + "\">feed</text>\n";
  svg += "<circle cx=\"" + Px(x + 185) + "\" cy=\"" + Px(y) + "\" r=\"3.5\" fill=\"none\" stroke=\"" +
         kHoleColour + "\" stroke-width=\"1.5\"/>\n";
  svg += "<text x=\"" + Px(x + 194) + "\" y=\"" + Px(y + 4) + "\">drilled hole</text>\n";
  svg += "</g>\n";
}

}  // namespace

PlotCounts CountMotions(const Toolpath& path) {
  PlotCounts c;
  for (const ToolMove& m : path.moves) {
    (m.kind == MoveKind::kRapid ? c.rapid : c.feed) += 1;
    if (m.arc) ++c.arcs;
  }
  c.holes = static_cast<int>(path.holes.size());
  return c;
}

std::string ToolpathSvg(const Toolpath& path, const std::string& name) {
  const double width = 3 * kPanelWidth + 4 * kGap;
  const double height = kHeader + kPanelHeight + kGap;
  Point3 lo{0, 0, 0}, hi{0, 0, 0};
  bool any = false;
  std::vector<Point3> samples;
  for (const ToolMove& m : path.moves)
    SamplePoints(m, {Point3{1, 0, 0}, Point3{0, 1, 0}, Point3{0, 0, 1}}, samples);
  samples.insert(samples.end(), path.holes.begin(), path.holes.end());
  for (const Point3& p : samples) {
    for (int a = 0; a < 3; ++a) {
      lo[a] = any ? std::min(lo[a], p[a]) : p[a];
      hi[a] = any ? std::max(hi[a], p[a]) : p[a];
    }
    any = true;
  }

  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Px(width) + "\" height=\"" +
         Px(height) + "\" viewBox=\"0 0 " + Px(width) + " " + Px(height) +
         "\" font-family=\"sans-serif\" font-size=\"12\">\n";
  svg += "<title>Toolpath of " + Escape(name) + "</title>\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  PlotCounts c = CountMotions(path);
  std::string units = path.units.empty() ? "" : " (" + path.units + ")";
  svg += "<text x=\"" + Px(kGap) + "\" y=\"24\" font-size=\"16\" font-weight=\"bold\">Toolpath of " +
         Escape(name) + Escape(units) + "</text>\n";
  svg += "<text x=\"" + Px(kGap) + "\" y=\"46\">" + std::to_string(c.rapid + c.feed) +
         " motions: " + std::to_string(c.rapid) + " rapid, " + std::to_string(c.feed) + " feed (" +
         std::to_string(c.arcs) + " arcs), " + std::to_string(c.holes) + " holes</text>\n";
  WriteLegend(svg, width - kGap - 270, 42);
  const View views[3] = {TopView(), FrontView(), IsometricView()};
  const char* ids[3] = {"view-xy", "view-xz", "view-iso"};
  for (int k = 0; k < 3; ++k)
    WritePanel(svg, path, views[k], ids[k], kGap + k * (kPanelWidth + kGap), kHeader, lo, hi);
  svg += "</svg>\n";
  return svg;
}

}  // namespace tornel::dev
