// A square to draw one character in, with the mouse, a pen or a finger.
// Strokes are kept in the 0-1000 square of the handwriting recognizer and
// drawn with their numbers at their starts. The right mouse button and
// Ctrl+Z take the last stroke back. strokesChanged follows every finished
// stroke, every undo and every clear.
#ifndef DEXARU_DESKTOP_HANDWRITINGPAD_H
#define DEXARU_DESKTOP_HANDWRITINGPAD_H

#include "HandwritingRecognizer.h"

#include <QWidget>

class HandwritingPad : public QWidget
{
    Q_OBJECT

public:
    explicit HandwritingPad(QWidget* parent = nullptr);

    const HandwritingRecognizer::Drawing& strokes() const { return drawing; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }
    QSize sizeHint() const override { return QSize(240, 240); }
    QSize minimumSizeHint() const override { return QSize(120, 120); }

signals:
    void strokesChanged();

public slots:
    void undo();
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The drawing square inside the widget, in widget pixels.
    QRectF square() const;
    HandwritingRecognizer::Point toCanvas(const QPointF& position) const;
    QPointF toWidget(const HandwritingRecognizer::Point& point) const;
    void begin(const QPointF& position);
    void extend(const QPointF& position);
    void finish();

    HandwritingRecognizer::Drawing drawing;
    std::size_t pointCount = 0;
    bool drawingStroke = false;
};

#endif
