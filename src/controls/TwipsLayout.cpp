#include "controls/TwipsLayout.h"

#include "controls/Twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace wk::controls {

namespace {
const char* const kBaseFont = "wkBaseFontSize";
const char* const kFontGrowth = "wkFontGrowth";
constexpr double kSmallestFont = 4.0;

// The widths a caption's own chrome takes beside its text: a button's bevel, an option's or tick
// box's indicator, a frame's title inset.
int chromeWidth(const QWidget* control)
{
    const QStyle* style = control->style();
    if (qobject_cast<const QRadioButton*>(control))
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, control) + 2;
    if (qobject_cast<const QCheckBox*>(control))
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control) + 2;
    if (qobject_cast<const QPushButton*>(control))
        return 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, control) / 2 +
                    style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control));
    if (qobject_cast<const QGroupBox*>(control))
        return 16;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return 2 * label->margin() + 2 * label->frameWidth();
    return 0;
}

QString captionOf(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->textFormat() == Qt::RichText ? QString() : label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    return {};
}

bool fits(const QWidget* control, const QFont& font, const QString& text)
{
    const QFontMetricsF metrics(font);
    const double room = control->width() - chromeWidth(control);
    // A word-wrapped label may use its lines; every other caption is one line.
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label && label->wordWrap()) {
        const QRectF needed = metrics.boundingRect(QRectF(0, 0, std::max(1.0, room), 1e6),
                                                   Qt::TextWordWrap | int(label->alignment()), text);
        return needed.width() <= room + 0.5 && needed.height() <= control->height() + 0.5;
    }
    const bool frameTitle = qobject_cast<const QGroupBox*>(control) != nullptr;
    return metrics.horizontalAdvance(text) <= room + 0.5 &&
           (frameTitle || metrics.height() <= control->height() + 1.0);
}
} // namespace

TwipsLayout::TwipsLayout(QWidget* window, QSize designTwips)
    : QObject(window), window_(window), designTwips_(designTwips)
{
    setObjectName(QStringLiteral("twipsLayout"));
    window->setMinimumSize(designPixels());
    window->resize(designPixels());
    window->installEventFilter(this);
}

TwipsLayout* TwipsLayout::of(const QWidget* w)
{
    const QWidget* window = w ? w->window() : nullptr;
    return window ? window->findChild<TwipsLayout*>(QStringLiteral("twipsLayout"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

QSize TwipsLayout::designPixels() const
{
    return {twipsToPixels(designTwips_.width()), twipsToPixels(designTwips_.height())};
}

QRect TwipsLayout::toWindow(const QRect& twips) const
{
    auto px = [this](int t) { return int(std::lround(twipsToPixels(t) * scale_)); };
    return QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())).translated(origin_);
}

bool TwipsLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::Resize)
        apply();
    return QObject::eventFilter(watched, event);
}

void TwipsLayout::apply()
{
    const QSize design = designPixels();
    const QSize size = window_->size();
    scale_ = std::max(
        1.0, std::min(double(size.width()) / design.width(), double(size.height()) / design.height()));
    origin_ = QPoint(int(std::lround((size.width() - design.width() * scale_) / 2)),
                     int(std::lround((size.height() - design.height() * scale_) / 2)));
    QList<QWidget*> controls;
    for (QWidget* control : window_->findChildren<QWidget*>())
        if (control->window() == window_ && hasTwipsRect(control))
            controls << control;
    // Every control keeps the font of the design, so a frame's font never reaches what it holds.
    for (QWidget* control : controls)
        if (!control->property(kBaseFont).isValid()) {
            control->setProperty(kBaseFont, control->font().pointSizeF());
            control->setFont(control->font());
        }
    // Containers come before what they contain, so a caption is fitted in its final size.
    for (QWidget* control : controls)
        place(control);
}

void TwipsLayout::place(QWidget* control) const
{
    const QRect twips = twipsRectOf(control);
    auto px = [this](int t) { return twipsToPixels(t) * scale_; };
    // At scale 1 this is exactly the design's pixel geometry.
    QRect pixels(int(std::lround(px(twips.left()))), int(std::lround(px(twips.top()))),
                 int(std::lround(px(twips.width()))), int(std::lround(px(twips.height()))));
    if (control->parentWidget() == window_)
        pixels.translate(origin_);
    control->setGeometry(pixels);

    if (!control->property(kBaseFont).isValid()) {
        control->setProperty(kBaseFont, control->font().pointSizeF());
        control->setFont(control->font());
    }
    const QVariant growth = control->property(kFontGrowth);
    const double fontScale = growth.isValid() ? std::min(scale_, growth.toDouble()) : scale_;
    const double pointSize = control->property(kBaseFont).toDouble() * fontScale;
    if (captionOf(control).isEmpty()) {
        QFont font = control->font();
        if (std::abs(font.pointSizeF() - pointSize) > 0.01) {
            font.setPointSizeF(pointSize);
            control->setFont(font);
        }
    } else {
        fitCaption(control, pointSize);
    }
}

void limitFontGrowth(QWidget* control, double factor) { control->setProperty(kFontGrowth, factor); }

void fitCaption(QWidget* control, double pointSize)
{
    const QString text = captionOf(control);
    QFont font = control->font();
    font.setPointSizeF(pointSize);
    while (font.pointSizeF() > kSmallestFont && !fits(control, font, text))
        font.setPointSizeF(std::max(kSmallestFont, font.pointSizeF() * 0.92));
    if (font != control->font())
        control->setFont(font);
}

} // namespace wk::controls
