#include "tool_glyphs.h"

namespace guide {

namespace {

struct Pen {
  Pen(HDC dc, COLORREF colour, int width) : dc_(dc), pen_(CreatePen(PS_SOLID, width, colour)) {
    old_ = SelectObject(dc, pen_);
  }
  ~Pen() {
    SelectObject(dc_, old_);
    DeleteObject(pen_);
  }
  HDC dc_;
  HPEN pen_;
  HGDIOBJ old_;
};

void fill(HDC dc, const POINT* points, int n, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Pen pen(dc, colour, 1);
  Polygon(dc, points, n);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
}

void line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour, int width = 2) {
  Pen pen(dc, colour, width);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

}  // namespace

winui::GlyphPainter glyph(Glyph which) {
  const COLORREF blue = RGB(0, 70, 180), green = RGB(0, 140, 60), red = RGB(200, 30, 30), dark = RGB(40, 40, 40);
  switch (which) {
    case Glyph::online:  // a globe
      return [=](HDC dc, const RECT&) {
        Pen pen(dc, blue, 1);
        HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Ellipse(dc, 1, 1, 15, 15);
        Ellipse(dc, 5, 1, 11, 15);
        MoveToEx(dc, 1, 8, nullptr);
        LineTo(dc, 15, 8);
        SelectObject(dc, old);
      };
    case Glyph::offline:  // a page of a saved table
      return [=](HDC dc, const RECT&) {
        const POINT page[] = {{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}};
        fill(dc, page, 5, RGB(250, 250, 240));
        for (int y = 5; y < 14; y += 3) line(dc, 5, y, 11, y, dark, 1);
      };
    case Glyph::download:  // an arrow down onto a tray
      return [=](HDC dc, const RECT&) {
        const POINT arrow[] = {{5, 1}, {11, 1}, {11, 7}, {14, 7}, {8, 13}, {2, 7}, {5, 7}};
        fill(dc, arrow, 7, green);
        line(dc, 1, 15, 15, 15, dark);
      };
    case Glyph::back:
      return [=](HDC dc, const RECT&) {
        const POINT arrow[] = {{1, 8}, {8, 1}, {8, 5}, {15, 5}, {15, 11}, {8, 11}, {8, 15}};
        fill(dc, arrow, 7, green);
      };
    case Glyph::forward:
      return [=](HDC dc, const RECT&) {
        const POINT arrow[] = {{15, 8}, {8, 1}, {8, 5}, {1, 5}, {1, 11}, {8, 11}, {8, 15}};
        fill(dc, arrow, 7, green);
      };
    case Glyph::refresh:  // a turning arrow
      return [=](HDC dc, const RECT&) {
        Pen pen(dc, blue, 2);
        Arc(dc, 2, 2, 14, 14, 8, 2, 14, 5);  // counterclockwise from the top, nearly round
        const POINT head[] = {{10, 0}, {15, 2}, {11, 6}};
        fill(dc, head, 3, blue);
      };
    case Glyph::stop:
      return [=](HDC dc, const RECT&) {
        line(dc, 3, 3, 13, 13, red, 3);
        line(dc, 13, 3, 3, 13, red, 3);
      };
    case Glyph::textSize:  // a large and a small A
      return [=](HDC dc, const RECT&) {
        line(dc, 1, 15, 5, 2, dark);
        line(dc, 5, 2, 9, 15, dark);
        line(dc, 3, 10, 7, 10, dark, 1);
        line(dc, 10, 15, 12, 8, dark, 1);
        line(dc, 12, 8, 14, 15, dark, 1);
      };
    case Glyph::favourites:  // a star
      return [=](HDC dc, const RECT&) {
        const POINT star[] = {{8, 0}, {10, 6}, {16, 6}, {11, 10}, {13, 16}, {8, 12}, {3, 16}, {5, 10}, {0, 6}, {6, 6}};
        fill(dc, star, 10, RGB(230, 170, 0));
      };
  }
  return {};
}

}  // namespace guide
