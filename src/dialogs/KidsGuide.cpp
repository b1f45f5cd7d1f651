#include "dialogs/KidsGuide.h"

#include "controls/ImageControl.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"
#include "controls/WindowShowing.h"
#include "store/FilePaths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>

namespace wk::dialogs {

using controls::placeTwips;

namespace {

// Everything below is in twips; the window is 12000 x 9300.
constexpr int formWidth = 12000;
constexpr int formHeight = 9300;
const QRect mapTwips(600, 1050, 8400, 6600); // the state's outline

// Map position of a place by longitude and latitude (Wyoming spans 104 to 111 W, 41 to 45 N).
QPoint onMap(double westLongitude, double northLatitude)
{
    const double x = mapTwips.left() + (111.0 - westLongitude) / 7.0 * mapTwips.width();
    const double y = mapTwips.top() + (45.0 - northLatitude) / 4.0 * mapTwips.height();
    return {int(x), int(y)};
}

struct MapLabel {
    const char* name;
    const char* text;
    int left, top, width;
    double lon, lat; // the town's dot; 0 for a label without a dot
};

const MapLabel mapLabels[] = {
    {"Label2", "Sundance", 7650, 2100, 1200, 104.38, 44.41},
    {"Label3", "Newcastle", 7650, 3000, 1300, 104.20, 43.85},
    {"Label4", "Cheyenne", 7050, 7000, 1300, 104.82, 41.14},
    {"Label6", "Wyoming", 3700, 3900, 2400, 0, 0},
    {"Label7", "Cody", 2900, 1900, 900, 109.06, 44.53},
    {"city1(0)", "Casper", 5400, 4800, 1100, 106.31, 42.85},
    {"city1(1)", "Little America", 900, 6500, 1800, 110.06, 41.54},
    {"city1(2)", "YellowStone", 800, 1200, 1600, 0, 0},
};

// The holes: 0 the national park, 1 the state capitol, 2 the national monument.
const char* const holeTexts[KidsGuide::dogCount] = {"A National Park", "The State Capitol",
                                                    "A National Monument"};
const QPoint holeTwips[KidsGuide::dogCount] = {{1200, 2100}, {7500, 5550}, {6900, 1200}};
const QRect holeLabelTwips[KidsGuide::dogCount] = {
    {750, 2850, 1800, 300}, {6850, 6300, 2200, 300}, {5550, 1950, 2350, 300}};
constexpr int iconSize = 720;
const QRect pdoggoHomeTwips(150, 8550, 600, 600); // where the running dog starts and returns

const QPoint dogTwips[KidsGuide::dogCount] = {{9900, 2250}, {9900, 3150}, {9900, 4050}};

const char* const factTexts[KidsGuide::factCount] = {
    "Devils Tower was the first national monument in the US.  It rises over 1,200 feet off the "
    "floor of the valley and is 5,117 feet above sea level.",
    "Old Faithful in Yellow Stone National Park is the world's most famous geyser. It erupts 21 "
    "to 23 times a day.",
    "Cheyenne is the Capitol of Wyoming.",
    "Early Pioneers Crossed Wyoming.",
    "Cambria, a coal mining ghost town, lies eight miles north of Newcastle; the Anna Miller "
    "Museum in Newcastle tells its story.",
    "Buffalo Bill Cody founded the town of Cody, and his Wild West show toured the world.",
    "Rafting on the Snake River",
};
const char* const showmanAfterClick =
    "Buffalo Bill Cody's Wild West show played across America and Europe, even for Queen "
    "Victoria.";
const char* const raftingAfterClick = "Rafting on the Snake River is great fun.";

// The fact pictures and the file each is read from.
const char* const factFiles[KidsGuide::factCount] = {"img1.bmp", "img2.bmp", "img3.bmp", "img4.bmp",
                                                     "img5.bmp", "img6.ico", "img7.ico"};
// The pictures a dog brings up while it is moved: the sights of its home.
const std::vector<int> dogFacts[KidsGuide::dogCount] = {{2, 6, 7}, {3, 4}, {1, 5}};

// The prairie dog's two drawings, standing and digging.
QString dogDrawing(bool digging)
{
    return digging ? QStringLiteral("pdogd.ico") : QStringLiteral("pdog.ico");
}

constexpr int moverStepPixels = 6;
constexpr int pdoggoStepPixels = 8;
constexpr int frameMs = 15;

QFont roundedFont(int pointSize)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial Rounded MT Bold"), QStringLiteral("DejaVu Sans"),
                   QStringLiteral("Sans Serif")});
    f.setBold(true);
    f.setPointSize(pointSize);
    return f;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

controls::ImageControl* makeImage(QWidget* parent, const QString& name)
{
    auto* image = new controls::ImageControl(parent);
    image->setObjectName(name);
    image->setStretch(true);
    return image;
}

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// One step of at most `step` pixels from `from` towards `to`.
QPoint stepTowards(const QPoint& from, const QPoint& to, int step)
{
    const QPoint d = to - from;
    const double length = std::hypot(double(d.x()), double(d.y()));
    if (length <= step)
        return to;
    return from + QPoint(int(std::lround(d.x() * step / length)), int(std::lround(d.y() * step / length)));
}

} // namespace

KidsGuide::KidsGuide(QWidget* mainWindow, QAbstractButton* check1, const QString& programDirectory)
    : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow), check1_(check1),
      programDirectory_(programDirectory)
{
    setObjectName(QStringLiteral("Kidsform1"));
    setWindowTitle(QStringLiteral("Kids Guide"));
    setAttribute(Qt::WA_DeleteOnClose);
    layout_ = new controls::TwipsLayout(this, QSize(formWidth, formHeight)); // the map grows with the window
    // A window of its own (so hiding the main window leaves it on screen), yet never outliving it.
    if (mainWindow)
        connect(mainWindow, &QObject::destroyed, this, &QObject::deleteLater);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(176, 216, 240));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* title = makeLabel(this, QStringLiteral("Label9"),
                            QStringLiteral("Please Help Paraire Dog Dig come Home from:"));
    title->setFont(roundedFont(15));
    placeTwips(title, 300, 150, 9000, 600);

    auto* dogName = makeLabel(this, QStringLiteral("Label8"), QStringLiteral("Paraire     Dog Dig"));
    dogName->setFont(roundedFont(10));
    placeTwips(dogName, 9450, 1500, 2400, 360);

    auto* image2 = makeImage(this, QStringLiteral("Image2"));
    placeTwips(image2, 10200, 300, 1080, 1080);

    auto* labelFile = makeLabel(this, QStringLiteral("LABELFILE"), QString());
    labelFile->hide();

    for (const MapLabel& m : mapLabels) {
        auto* l = makeLabel(this, QLatin1String(m.name), QLatin1String(m.text));
        const bool state = QLatin1String(m.name) == QLatin1String("Label6");
        l->setFont(roundedFont(state ? 22 : 10));
        if (state)
            l->setStyleSheet(QStringLiteral("color: rgb(120, 80, 30);"));
        placeTwips(l, m.left, m.top, m.width, state ? 600 : 330);
    }

    for (int i = 0; i < dogCount; ++i) {
        holes_[size_t(i)] = makeImage(this, indexed("hole1", i));
        placeTwips(holes_[size_t(i)], holeTwips[i].x(), holeTwips[i].y(), iconSize, iconSize);
        holes_[size_t(i)]->setAcceptDrops(true);

        auto* hl = makeLabel(this, indexed("holelabel1", i), QLatin1String(holeTexts[i]));
        hl->setFont(roundedFont(9));
        hl->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        const QRect r = holeLabelTwips[i];
        placeTwips(hl, r.x(), r.y(), r.width(), r.height());
        holeLabels_[size_t(i)] = hl;
    }

    showIcon(image2, dogDrawing(true));
    for (controls::ImageControl* h : holes_)
        showIcon(h, QStringLiteral("pHOLE.ico"));

    for (int i = 0; i < dogCount; ++i) {
        controls::ImageControl* dog = makeImage(this, indexed("dog1", i));
        placeTwips(dog, dogTwips[i].x(), dogTwips[i].y(), iconSize, iconSize);
        showIcon(dog, dogDrawing(false));
        dog->setCursor(Qt::OpenHandCursor);
        dog->setToolTip(QStringLiteral("Drag me home"));
        dog->installEventFilter(this);
        dogs_[size_t(i)] = dog;
    }

    for (int n = 1; n <= factCount; ++n) {
        controls::ImageControl* picture = makeImage(this, indexed("Image1", n));
        placeTwips(picture, 600 + (n - 1) * 1200, 7800, 960, 960);
        picture->setCursor(Qt::PointingHandCursor);
        picture->installEventFilter(this);
        pictures_[size_t(n - 1)] = picture;

        QLabel* fact = makeLabel(this, indexed("Label1", n), QLatin1String(factTexts[n - 1]));
        fact->setWordWrap(true);
        fact->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        fact->setMargin(6);
        fact->setAutoFillBackground(true);
        QPalette fp = fact->palette();
        fp.setColor(QPalette::Window, QColor(255, 250, 205));
        fact->setPalette(fp);
        fact->setFont(roundedFont(10));
        placeTwips(fact, 9300, 4950, 2550, 2700);
        facts_[size_t(n - 1)] = fact;
    }

    exit_ = new QPushButton(QStringLiteral("BYE!"), this);
    exit_->setObjectName(QStringLiteral("CMDExit"));
    exit_->setFont(roundedFont(12));
    placeTwips(exit_, 10050, 8100, 1500, 720);
    connect(exit_, &QPushButton::clicked, this, &KidsGuide::sayBye);

    mover_ = makeImage(this, QStringLiteral("dogMover"));
    mover_->hide();
    moverTimer_ = new QTimer(this);
    moverTimer_->setInterval(frameMs);
    connect(moverTimer_, &QTimer::timeout, this, &KidsGuide::stepMover);

    pdoggo_ = makeImage(this, QStringLiteral("Pdoggo"));
    placeTwips(pdoggo_, pdoggoHomeTwips.x(), pdoggoHomeTwips.y(), pdoggoHomeTwips.width(),
               pdoggoHomeTwips.height());
    showIcon(pdoggo_, dogDrawing(false));
    pdoggo_->setCursor(Qt::PointingHandCursor);
    pdoggo_->setToolTip(QStringLiteral("Click me"));
    pdoggo_->installEventFilter(this);
    pdoggoTimer_ = new QTimer(this);
    pdoggoTimer_->setInterval(frameMs);
    connect(pdoggoTimer_, &QTimer::timeout, this, &KidsGuide::stepPdoggo);

    load();
}

KidsGuide* KidsGuide::openFromCheckBox(QPointer<KidsGuide>& slot, QWidget* mainWindow,
                                       QAbstractButton* check1, const QString& programDirectory)
{
    if (check1 && !check1->isChecked()) {
        if (slot)
            slot->close();
        return nullptr;
    }
    if (!slot)
        slot = new KidsGuide(mainWindow, check1, programDirectory);
    controls::showInFront(slot);
    if (mainWindow)
        mainWindow->hide();
    return slot;
}

QString KidsGuide::iconFile(const QString& name) const
{
    return store::findFileIgnoringCase(programDirectory_, name);
}

// For the drag cursor and the window icon, whose size the platform chooses.
QPixmap KidsGuide::loadIcon(const QString& name) const
{
    QPixmap pixmap;
    controls::skipStep([&] { pixmap = QPixmap::fromImage(controls::loadPicture(iconFile(name)).image); });
    return pixmap;
}

// A missing or unreadable file leaves the image empty.
void KidsGuide::showIcon(controls::ImageControl* image, const QString& name) const
{
    const QString file = iconFile(name);
    if (!image->picture().isNull() && image->picture().file == file)
        return;
    if (!controls::skipStep([&] { image->load(file); }))
        image->clear();
}

void KidsGuide::load()
{
    for (controls::ImageControl* p : pictures_)
        p->hide();
    for (QLabel* f : facts_)
        f->hide();
}

void KidsGuide::showFact(int index)
{
    if (index < 1 || index > factCount)
        return;
    factLabel(index)->show();
    factLabel(index)->raise();
    factLabel(6)->setText(QLatin1String(showmanAfterClick));
    factLabel(7)->setText(QLatin1String(raftingAfterClick));
}

void KidsGuide::pressDog(int index)
{
    if (index < 0 || index >= dogCount)
        return;
    movingDog_ = index;
    dragIcon_ = loadIcon(QStringLiteral("pHOLE.ico"));
}

void KidsGuide::moveDog(int index)
{
    if (index < 0 || index >= dogCount || index != movingDog_ || !dragging_)
        return;
    secondDrawing_ = !secondDrawing_;
    showIcon(dogImage(index), dogDrawing(secondDrawing_));
    for (int n : dogFacts[index]) {
        controls::ImageControl* picture = factPicture(n);
        if (picture->isHidden()) {
            showIcon(picture, QLatin1String(factFiles[n - 1]));
            picture->show();
        }
    }
}

void KidsGuide::dropOnHole(int index)
{
    const QPixmap net = loadIcon(QStringLiteral("NET.ICO"));
    setWindowIcon(net.isNull() ? QIcon() : QIcon(net));
    if (index < 0 || index >= dogCount || index != movingDog_)
        return;

    if (moverTimer_->isActive()) { // a journey still under way ends at once
        mover_->move(moverTarget_);
        stepMover();
    }
    controls::ImageControl* dog = dogImage(index);
    showIcon(holeImage(index), dogDrawing(false));
    mover_->setGeometry(dog->geometry()); // the dog's size at the window's scale
    showIcon(mover_, dogDrawing(false));
    mover_->show();
    mover_->raise();
    showIcon(dog, dogDrawing(false));
    dog->hide();
    moverTarget_ = holeImage(index)->pos();
    moverTimer_->start();
}

void KidsGuide::stepMover()
{
    const QPoint next = stepTowards(mover_->pos(), moverTarget_, moverStepPixels);
    mover_->move(next);
    if (next == moverTarget_) {
        moverTimer_->stop();
        mover_->hide();
    }
}

bool KidsGuide::isDogTravelling() const { return moverTimer_->isActive(); }

void KidsGuide::runPrairieDog()
{
    if (pdoggoTimer_->isActive())
        return;
    pdoggo_->raise();
    pdoggoTimer_->start();
}

void KidsGuide::stepPdoggo()
{
    const int x = pdoggo_->x() + pdoggoStepPixels;
    if (x > width()) {
        pdoggoTimer_->stop();
        placeTwips(pdoggo_, pdoggoHomeTwips.x(), pdoggoHomeTwips.y(), pdoggoHomeTwips.width(),
                   pdoggoHomeTwips.height());
        showIcon(pdoggo_, dogDrawing(false));
        return;
    }
    pdoggo_->move(x, pdoggo_->y());
    // Alternate the two drawings every few steps so the dog seems to run.
    showIcon(pdoggo_, dogDrawing((x / (pdoggoStepPixels * 3)) % 2));
}

bool KidsGuide::isPrairieDogRunning() const { return pdoggoTimer_->isActive(); }

void KidsGuide::sayBye()
{
    if (check1_)
        check1_->setChecked(false);
    close();
    if (mainWindow_)
        mainWindow_->show();
}

void KidsGuide::closeEvent(QCloseEvent* event)
{
    unload();
    event->accept();
}

void KidsGuide::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    moverTimer_->stop();
    pdoggoTimer_->stop();
    if (dragging_) {
        dragging_ = false;
        QApplication::restoreOverrideCursor();
    }
    if (mainWindow_)
        mainWindow_->show();
    // The tick box follows the window: a guide closed from its title bar clears it too.
    if (check1_ && check1_->isChecked())
        check1_->setChecked(false);
}

void KidsGuide::endDrag(controls::ImageControl* dog, const QPoint& posInDog)
{
    if (!dragging_)
        return;
    dragging_ = false;
    QApplication::restoreOverrideCursor();
    const QPoint at = dog->mapTo(this, posInDog);
    for (int i = 0; i < dogCount; ++i) {
        if (holeImage(i)->isVisible() && holeImage(i)->geometry().contains(at)) {
            dropOnHole(i);
            return;
        }
    }
}

bool KidsGuide::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);

    for (int i = 0; i < dogCount; ++i) {
        if (watched != dogs_[size_t(i)])
            continue;
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            pressDog(i);
            dragging_ = true;
            QApplication::setOverrideCursor(dragIcon_.isNull() ? QCursor(Qt::ClosedHandCursor)
                                                               : QCursor(dragIcon_));
        } else if (type == QEvent::MouseMove) {
            moveDog(i);
        } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
            endDrag(dogs_[size_t(i)], mouse->position().toPoint());
        }
        return true;
    }
    if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        for (int n = 1; n <= factCount; ++n) {
            if (watched == factPicture(n)) {
                showFact(n);
                return true;
            }
        }
        if (watched == pdoggo_) {
            runPrairieDog();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void KidsGuide::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect map = layout_->toWindow(mapTwips);
    auto at = [this](double lon, double lat) {
        return layout_->toWindow(QRect(onMap(lon, lat), QSize())).topLeft();
    };

    // Prairie and the state line.
    p.setPen(QPen(QColor(110, 70, 30), 3));
    p.setBrush(QColor(222, 206, 150));
    p.drawRect(map);

    // Mountain ranges: the Absarokas and Tetons in the west, the Wind Rivers, the Bighorns,
    // the Black Hills at the north-east edge.
    p.setPen(QPen(QColor(95, 80, 60), 1));
    p.setBrush(QColor(150, 130, 100));
    auto mountains = [&](double lon, double lat, int count, double dLon, double dLat) {
        for (int k = 0; k < count; ++k) {
            const QPoint c = at(lon + k * dLon, lat + k * dLat);
            QPolygon peak;
            peak << c + QPoint(-12, 8) << c + QPoint(0, -12) << c + QPoint(12, 8);
            p.drawPolygon(peak);
        }
    };
    mountains(110.6, 43.5, 3, 0.0, -0.3);
    mountains(109.9, 43.2, 5, -0.25, -0.18);
    mountains(107.6, 44.8, 4, 0.12, -0.3);
    mountains(104.15, 44.05, 1, 0.0, 0.0);

    // Yellowstone Lake and the rivers.
    p.setPen(QPen(QColor(40, 110, 200), 3));
    p.setBrush(QColor(90, 160, 230));
    const QPoint lake = at(110.35, 44.45);
    p.drawEllipse(lake, 14, 18);
    p.setBrush(Qt::NoBrush);
    QPainterPath north;
    north.moveTo(at(106.9, 42.0));
    north.cubicTo(at(106.3, 42.9), at(105.5, 42.7), at(104.05, 42.2)); // North Platte
    p.drawPath(north);
    QPainterPath snake;
    snake.moveTo(at(110.6, 44.1));
    snake.cubicTo(at(110.8, 43.6), at(110.7, 43.3), at(111.0, 43.1)); // Snake River
    p.drawPath(snake);
    QPainterPath green;
    green.moveTo(at(109.9, 43.2));
    green.cubicTo(at(110.1, 42.4), at(109.6, 41.6), at(109.5, 41.0)); // Green River
    p.drawPath(green);

    // The old trail the pioneers took across the state.
    p.setPen(QPen(QColor(150, 60, 40), 2, Qt::DashLine));
    QPainterPath trail;
    trail.moveTo(at(104.05, 42.2));
    trail.cubicTo(at(106.3, 42.8), at(108.0, 42.4), at(109.5, 42.3));
    trail.lineTo(at(111.0, 42.1));
    p.drawPath(trail);

    // Town dots.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 30, 30));
    for (const MapLabel& m : mapLabels) {
        if (m.lon > 0)
            p.drawEllipse(at(m.lon, m.lat), 4, 4);
    }
    // The capital gets a star.
    p.setBrush(QColor(250, 210, 40));
    const QPoint capital = at(104.82, 41.14);
    QPolygon star;
    for (int k = 0; k < 10; ++k) {
        const double a = -M_PI / 2 + k * M_PI / 5;
        const double r = (k % 2) ? 4.0 : 9.0;
        star << capital + QPoint(int(std::lround(r * std::cos(a))), int(std::lround(r * std::sin(a))));
    }
    p.drawPolygon(star);
}

} // namespace wk::dialogs
