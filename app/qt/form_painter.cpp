#include "form_painter.h"

#include <QPainterPath>
#include <QTextOption>
#include <algorithm>

#include "artwork.h"
#include "fonts.h"
#include "forms/outline.h"
#include "forms/stacking.h"

namespace qtgui {

using forms::ControlSpec;
using forms::ControlState;

namespace {

QColor toQColor(forms::Colour c) { return QColor(c.r, c.g, c.b); }

settings::Contrast textContrast = settings::Contrast::Normal;

QBrush fillBrush(const ControlSpec& spec) {
  switch (spec.fillStyle) {
    case forms::FillStyle::Solid: return QBrush(toQColor(spec.fillColour));
    case forms::FillStyle::UpwardDiagonal: return QBrush(toQColor(spec.fillColour), Qt::BDiagPattern);
    case forms::FillStyle::DiagonalCross: return QBrush(toQColor(spec.fillColour), Qt::DiagCrossPattern);
    case forms::FillStyle::Transparent: break;
  }
  return Qt::NoBrush;
}

void paintShape(QPainter& p, const ControlSpec& spec, const ControlState& state) {
  const forms::Outline o = forms::shapeOutline(spec, state.rect);
  QRectF outline(o.path.x, o.path.y, o.path.width, o.path.height);
  QPainterPath path;
  switch (o.kind) {
    case forms::ShapeKind::Rectangle: path.addRect(outline); break;
    case forms::ShapeKind::RoundedRectangle: path.addRoundedRect(outline, o.radius, o.radius); break;
    case forms::ShapeKind::Circle: path.addEllipse(outline); break;
  }
  if (spec.backStyle == forms::BackStyle::Opaque) p.fillPath(path, toQColor(spec.backColour));
  if (spec.fillStyle != forms::FillStyle::Transparent) {
    // Hatching is drawn crisp, on whole pixels.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, spec.fillStyle == forms::FillStyle::Solid);
    p.fillPath(path, fillBrush(spec));
    p.restore();
  }
  QPen pen(toQColor(spec.borderColour), spec.borderWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  p.strokePath(path, pen);
}

void paintLine(QPainter& p, const ControlSpec& spec) {
  QPen pen(toQColor(spec.borderColour), spec.borderWidth, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  p.drawLine(QPointF(spec.from.x, spec.from.y) / forms::kTwipsPerPixel, QPointF(spec.to.x, spec.to.y) / forms::kTwipsPerPixel);
}

void paintLabel(QPainter& p, const ControlSpec& spec, const ControlState& state) {
  QRectF box = toPixels(state.rect);
  p.fillRect(box, toQColor(spec.backColour));
  // Wrapped at word boundaries only, to the label's width, and cut off at its
  // edges: a word too long for the box runs out of it rather than breaking.
  p.setClipRect(box, Qt::IntersectClip);
  p.setFont(toQFont(spec.font));
  p.setPen(textColour(spec.foreColour, spec.backColour));
  QTextOption option(Qt::AlignLeft | Qt::AlignTop);
  option.setWrapMode(QTextOption::WordWrap);
  p.drawText(box, QString::fromStdString(state.text), option);
}

void paintImage(QPainter& p, const ControlState& state, const Artwork& artwork) {
  QPixmap pixmap = artwork.picture(state.picture.name());
  if (!pixmap.isNull()) p.drawPixmap(toPixels(state.rect).topLeft(), pixmap);
}

}  // namespace

void setTextContrast(settings::Contrast contrast) { textContrast = contrast; }

QColor textColour(forms::Colour fore, forms::Colour back) {
  return toQColor(settings::textColour(fore, back, textContrast));
}

QRectF toPixels(const forms::TwipRect& r) {
  const forms::PixelRect p = forms::inPixels(r);
  return QRectF(p.x, p.y, p.width, p.height);
}

QRect paintArea(const ControlSpec& spec, const forms::TwipRect& rect) {
  if (spec.kind == forms::Kind::Line) {
    QRectF ends = QRectF(QPointF(spec.from.x, spec.from.y), QPointF(spec.to.x, spec.to.y)).normalized();
    QRectF px(ends.topLeft() / forms::kTwipsPerPixel, ends.bottomRight() / forms::kTwipsPerPixel);
    int m = spec.borderWidth;
    return px.toAlignedRect().adjusted(-m, -m, m, m);
  }
  return toPixels(rect).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void paintForm(QPainter& painter, const forms::Form& form, const Artwork& artwork, const QRect& exposed) {
  painter.fillRect(exposed, toQColor(form.spec().background));
  if (!form.loaded()) return;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const auto& rows = form.spec().controls;
  const auto& states = form.controls();
  for (int slot : forms::paintOrder(form)) {
    const ControlSpec& spec = rows[static_cast<std::size_t>(slot)];
    const ControlState& state = states[static_cast<std::size_t>(slot)];
    if (!paintArea(spec, state.rect).intersects(exposed)) continue;
    painter.save();
    switch (spec.kind) {
      case forms::Kind::Shape: paintShape(painter, spec, state); break;
      case forms::Kind::Line: paintLine(painter, spec); break;
      case forms::Kind::Label: paintLabel(painter, spec, state); break;
      case forms::Kind::Image: paintImage(painter, state, artwork); break;
      default: break;
    }
    painter.restore();
  }
}

}  // namespace qtgui
