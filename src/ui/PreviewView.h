#pragma once

#include <QImage>
#include <QWidget>

namespace hoplark {

// The preview area (ikImg): shows the preview image at its top left corner on a grey ground.
class PreviewView : public QWidget {
    Q_OBJECT
public:
    explicit PreviewView(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }
    // The width in twips, as the layout measures the preview: pixels × 1440 / nScrDpi.
    int WidthTwips(int nScrDpi) const;

signals:
    // Every repaint starts here, before the image is drawn: the window's paint entry.
    void aboutToPaint();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    bool m_bPainting = false;
};

} // namespace hoplark
