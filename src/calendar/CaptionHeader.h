#pragma once
// The column header of a grid with a caption bar above the column titles (empty caption: no
// bar), as a data grid shows its caption.
#include <QHeaderView>

namespace wk::calendar {

class CaptionHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit CaptionHeader(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    int barHeight() const;

    QString caption_;
};

} // namespace wk::calendar
