#include "HandwritingPad.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTabletEvent>
#include <QTouchEvent>

#include <algorithm>

namespace {

const float canvasSize = HandwritingRecognizer::CANVAS_SIZE;

}  // namespace

HandwritingPad::HandwritingPad(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    // As tall as wide: the panel's layout asks heightForWidth.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setToolTip(tr("Draw a character; the right mouse button or Ctrl+Z takes the last stroke back"));
}

QRectF HandwritingPad::square() const
{
    const qreal side = std::min(width(), height()) - 1;
    return QRectF((width() - side) / 2, (height() - side) / 2, side, side);
}

HandwritingRecognizer::Point HandwritingPad::toCanvas(const QPointF& position) const
{
    const QRectF area = square();
    const auto scaled = [](qreal value) { return static_cast<float>(std::clamp(value, 0.0, 1.0) * canvasSize); };
    return {scaled((position.x() - area.left()) / area.width()), scaled((position.y() - area.top()) / area.height())};
}

QPointF HandwritingPad::toWidget(const HandwritingRecognizer::Point& point) const
{
    const QRectF area = square();
    return QPointF(area.left() + point.x / canvasSize * area.width(), area.top() + point.y / canvasSize * area.height());
}

void HandwritingPad::begin(const QPointF& position)
{
    if (drawing.size() >= HandwritingRecognizer::MAX_STROKES) {
        return;
    }
    if (pointCount >= HandwritingRecognizer::MAX_POINTS) {
        return;
    }
    drawing.push_back({toCanvas(position)});
    ++pointCount;
    drawingStroke = true;
    update();
}

void HandwritingPad::extend(const QPointF& position)
{
    // A drawing the recognizer would refuse gains no more points.
    if (!drawingStroke || pointCount >= HandwritingRecognizer::MAX_POINTS) {
        return;
    }
    const HandwritingRecognizer::Point point = toCanvas(position);
    const HandwritingRecognizer::Point& last = drawing.back().back();
    if (point.x != last.x || point.y != last.y) {
        drawing.back().push_back(point);
        ++pointCount;
        update();
    }
}

void HandwritingPad::finish()
{
    if (!drawingStroke) {
        return;
    }
    drawingStroke = false;
    emit strokesChanged();
}

void HandwritingPad::undo()
{
    if (drawing.empty()) {
        return;
    }
    pointCount -= drawing.back().size();
    drawing.pop_back();
    drawingStroke = false;
    update();
    emit strokesChanged();
}

void HandwritingPad::clear()
{
    const bool hadStrokes = !drawing.empty();
    drawing.clear();
    pointCount = 0;
    drawingStroke = false;
    update();
    if (hadStrokes) {
        emit strokesChanged();
    }
}

void HandwritingPad::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        undo();
    } else if (event->button() == Qt::LeftButton) {
        begin(event->position());
    }
    event->accept();
}

void HandwritingPad::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        extend(event->position());
    }
    event->accept();
}

void HandwritingPad::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        extend(event->position());
        finish();
    }
    event->accept();
}

// A pen: its own events, so that no synthesised mouse event draws twice.
void HandwritingPad::tabletEvent(QTabletEvent* event)
{
    switch (event->type()) {
    case QEvent::TabletPress:
        begin(event->position());
        break;
    case QEvent::TabletMove:
        extend(event->position());
        break;
    case QEvent::TabletRelease:
        extend(event->position());
        finish();
        break;
    default:
        break;
    }
    event->accept();
}

// A finger on a touch screen: the first touch point draws.
bool HandwritingPad::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto* touch = static_cast<QTouchEvent*>(event);
        if (touch->points().isEmpty()) {
            return true;
        }
        const QEventPoint& point = touch->points().first();
        if (event->type() == QEvent::TouchBegin) {
            begin(point.position());
        } else {
            extend(point.position());
        }
        if (event->type() == QEvent::TouchEnd) {
            finish();
        }
        event->accept();
        return true;
    }
    default:
        return QWidget::event(event);
    }
}

void HandwritingPad::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Undo)) {
        undo();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HandwritingPad::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = square();
    const QPalette colours = palette();
    painter.fillRect(area, colours.color(QPalette::Base));
    painter.setPen(QPen(colours.color(QPalette::Mid), 1));
    painter.drawRect(area);
    // Guide lines through the middle, as on squared writing paper.
    painter.setPen(QPen(colours.color(QPalette::Midlight), 1, Qt::DashLine));
    painter.drawLine(QPointF(area.center().x(), area.top()), QPointF(area.center().x(), area.bottom()));
    painter.drawLine(QPointF(area.left(), area.center().y()), QPointF(area.right(), area.center().y()));

    const qreal thickness = std::max<qreal>(3, area.width() / 50);
    painter.setPen(QPen(colours.color(QPalette::Text), thickness, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const HandwritingRecognizer::Stroke& stroke : drawing) {
        if (stroke.size() == 1) {
            painter.drawPoint(toWidget(stroke.front()));
            continue;
        }
        QPainterPath path(toWidget(stroke.front()));
        for (std::size_t i = 1; i < stroke.size(); ++i) {
            path.lineTo(toWidget(stroke[i]));
        }
        painter.drawPath(path);
    }
    // Each stroke's number beside its start; numbers of strokes that start
    // at one place stand one above the other.
    QFont numbers = font();
    numbers.setPixelSize(std::max(10, static_cast<int>(area.width() / 18)));
    painter.setFont(numbers);
    painter.setPen(colours.color(QPalette::Highlight));
    const qreal size = numbers.pixelSize();
    QList<QRectF> placed;
    for (std::size_t i = 0; i < drawing.size(); ++i) {
        const QPointF start = toWidget(drawing[i].front());
        QRectF label(start.x() - size * 1.6, start.y() - size * 1.4, size * 1.5, size * 1.3);
        for (int tries = 0; tries < 10 && std::any_of(placed.begin(), placed.end(), [&](const QRectF& other) {
                                return other.intersects(label);
                            });
             ++tries) {
            label.translate(0, size * 1.2);
        }
        placed << label;
        painter.drawText(label, Qt::AlignRight | Qt::AlignBottom, QString::number(i + 1));
    }
}
