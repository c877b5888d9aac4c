#pragma once

// The plot area of the graph window: a retained picture in a sunken frame, drawn on in user
// coordinates with one-pixel solid lines, no antialiasing. It reports pointer movements in
// user coordinates and shows a tooltip.

#include <QFrame>
#include <QImage>
#include <QPoint>

// User coordinates turned into pixels of the picture, for the plot area as it stands when the
// mapping is taken. Drawing that maps many points takes it once instead of asking the widget
// for its geometry at every point; the result is that of PlotArea::ToPixel.
class PixelMapping {
public:
    QPoint operator()(float x, float y) const { return QPoint(Column(x), Row(y)); }
    int Column(float x) const { return RoundToPixel(ColumnPosition(x)); }
    int Row(float y) const {
        return RoundToPixel((double(y) - top_) * lastRow_ / (bottom_ - top_));
    }

    // x in columns before rounding: Column(x) is the whole number nearest to it.
    double ColumnPosition(float x) const {
        return (double(x) - left_) * lastColumn_ / (right_ - left_);
    }

private:
    friend class PlotArea;

    // Halves round up. Positions far outside the picture are all the same: off the picture.
    // Clamping keeps the integer conversion defined for any position, infinities included.
    static int RoundToPixel(double position) {
        const double limit = 1e6;
        if (!(position > -limit)) // also catches NaN
            return -int(limit);
        if (position > limit)
            return int(limit);
        // floor(position + 0.5) without a library call: truncation, one down for negatives.
        const double half = position + 0.5;
        const int truncated = int(half);
        return truncated > half ? truncated - 1 : truncated;
    }

    double left_, top_, right_, bottom_;
    int lastColumn_, lastRow_;
};

// Lines in pixels of the picture, all in one colour, for drawing that makes many of them: the
// picture is looked up once, when the pen is taken, instead of at every line. A pen serves one
// drawing that runs to its end; the area must not change size or be destroyed while it is used.
class PixelPen {
public:
    // Both end points included; pixels off the picture are left out.
    void Line(QPoint from, QPoint to) const;

private:
    friend class PlotArea;
    PixelPen(QImage& picture, QRgb colour);

    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_, height_;
    QRgb colour_;
};

class PlotArea : public QFrame {
    Q_OBJECT
public:
    explicit PlotArea(QRgb background, QWidget* parent = nullptr);

    // The user coordinates of the top-left and of the bottom-right pixel of the picture.
    void SetScale(double left, double top, double right, double bottom);

    // A line in user coordinates, both end points included, in the drawing colour (black) or
    // in the colour given.
    void Line(float x1, float y1, float x2, float y2);
    void Line(float x1, float y1, float x2, float y2, QRgb colour);

    // The same in pixels of the picture, for drawing that has already mapped its points.
    QPoint ToPixel(float x, float y) const;
    PixelMapping Mapping() const;
    void PixelLine(QPoint from, QPoint to, QRgb colour);
    PixelPen Pen(QRgb colour);

    // Back to the background colour, nothing drawn.
    void Blank();

    void SetToolTipText(const QString& text);

    const QImage& Picture();
    QRgb Background() const { return background_; }

signals:
    // Every pointer movement over the picture, with or without a button held.
    void PointerMoved(Qt::MouseButtons buttons, bool shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage& Canvas();
    void RequestRepaint();

    QImage picture_;
    QRgb background_;
    bool repaintRequested_ = false;
    double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
};
