#pragma once
// The kids guide: a map of Wyoming with its towns and three holes. A child drags a prairie dog
// to the hole of its home (the dog's index must equal the hole's), and clicks the small pictures
// that appear while a dog moves to read their facts. "BYE!" goes back to the main window.
//
// The window stands in for the main window: opening it hides the main window, closing it (by
// "BYE!" or the title bar) shows the main window again and clears its "Kids Guide" tick box.
// Wiring from the main window's kidsGuideCheck click handler (keep a QPointer<KidsGuide> member):
//     KidsGuide::openFromCheckBox(kidsGuide_, this, kidsGuideCheck, programDirectory);
// Ticking opens the guide; clearing the tick (as "BYE!" does) closes an open guide.
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>

class QAbstractButton;
class QLabel;
class QPushButton;
class QTimer;

namespace wk::controls {
class ImageControl;
class TwipsLayout;
} // namespace wk::controls

namespace wk::dialogs {

class KidsGuide : public QWidget {
    Q_OBJECT
public:
    static constexpr int dogCount = 3;  // dog1(0..2), hole1(0..2), holelabel1(0..2)
    static constexpr int factCount = 7; // factPicture(1..7), factLabel(1..7)

    KidsGuide(QWidget* mainWindow, QAbstractButton* check1, const QString& programDirectory);

    // Follows the tick box: ticked opens the guide kept in `slot` and hides `mainWindow`;
    // cleared closes an open guide.
    static KidsGuide* openFromCheckBox(QPointer<KidsGuide>& slot, QWidget* mainWindow,
                                       QAbstractButton* check1, const QString& programDirectory);

    void load();
    void showFact(int index);
    void pressDog(int index);
    void moveDog(int index);
    void dropOnHole(int index);
    void runPrairieDog();
    void sayBye();

    // The index of the dog being moved, -1 before any dog was pressed.
    int movingDog() const { return movingDog_; }
    bool isDogTravelling() const;
    bool isPrairieDogRunning() const;
    controls::ImageControl* dogImage(int index) const { return dogs_.at(size_t(index)); }
    controls::ImageControl* holeImage(int index) const { return holes_.at(size_t(index)); }
    controls::ImageControl* factPicture(int index) const { return pictures_.at(size_t(index - 1)); }
    QLabel* factLabel(int index) const { return facts_.at(size_t(index - 1)); }
    controls::ImageControl* prairieDog() const { return pdoggo_; }
    controls::ImageControl* travellingDog() const { return mover_; }
    // The icon shown while a dog is dragged (the hole), empty when its file is missing.
    QPixmap dragIcon() const { return dragIcon_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override; // unload
    void paintEvent(QPaintEvent* event) override; // the map

private:
    void unload();
    QString iconFile(const QString& name) const;
    QPixmap loadIcon(const QString& name) const;
    void showIcon(controls::ImageControl* image, const QString& name) const;
    void endDrag(controls::ImageControl* dog, const QPoint& posInDog);
    void stepMover();
    void stepPdoggo();

    QPointer<QWidget> mainWindow_;
    QPointer<QAbstractButton> check1_;
    QString programDirectory_;
    bool unloaded_ = false;

    std::array<controls::ImageControl*, dogCount> dogs_{};
    std::array<controls::ImageControl*, dogCount> holes_{};
    std::array<QLabel*, dogCount> holeLabels_{};
    std::array<controls::ImageControl*, factCount> pictures_{};
    std::array<QLabel*, factCount> facts_{};
    controls::ImageControl* pdoggo_ = nullptr;
    controls::ImageControl* mover_ = nullptr;
    QPushButton* exit_ = nullptr;

    QPixmap dragIcon_;
    int movingDog_ = -1;
    bool dragging_ = false;
    bool secondDrawing_ = false;

    QTimer* moverTimer_ = nullptr;
    QPoint moverTarget_;
    QTimer* pdoggoTimer_ = nullptr;
    controls::TwipsLayout* layout_ = nullptr;
};

} // namespace wk::dialogs
