#pragma once
// Declarations of the widget, control and store classes that the subsystems' parts structs name
// by pointer or reference, so their headers need not include the classes themselves.
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableView;
class QWidget;

namespace wk::store {
class Clock;
class ConnectionPool;
class DataSource;
} // namespace wk::store

namespace wk::controls {
class DropDownCombo;
class FolderFiles;
class FrameCanvas;
class ImageControl;
class LineBookmarks;
class LineList;
class PictureButton;
class Prompts;
class TwipsLayout;
class VideoPlayer;
} // namespace wk::controls

namespace wk::contracts {
class BigPicture;
class EntryEditor;
class EntryLines;
class MainScreen;
class MonthView;
class PictureRoot;
class StripState;
class PictureFolder;
class StripArrows;
class ViewerState;
} // namespace wk::contracts
