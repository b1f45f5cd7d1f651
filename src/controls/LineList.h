#pragma once
// A list of text lines that asks for a line's text only while the line is drawn (or asked for),
// so a list of a million entries costs what is on the screen. The list widgets' ways are kept:
// count, current row and its change signal, a line's text.
#include <QAbstractListModel>
#include <QListView>
#include <functional>

namespace wk::controls {

class LineModel : public QAbstractListModel {
public:
    using TextOf = std::function<QString(int line)>;
    explicit LineModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void setLines(int count, TextOf textOf);
    QString text(int line) const { return line >= 0 && line < count_ ? textOf_(line) : QString(); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : count_; }
    QVariant data(const QModelIndex& index, int role) const override;

private:
    int count_ = 0;
    TextOf textOf_;
};

class LineList : public QListView {
    Q_OBJECT
public:
    explicit LineList(QWidget* parent = nullptr);

    // Replaces the lines; no line is current afterwards, and no signal tells of it.
    void setLines(int count, LineModel::TextOf textOf);
    void setLines(const QStringList& lines);
    int count() const { return model_->rowCount(); }
    QString lineText(int line) const { return model_->text(line); }
    int currentRow() const;
    // Makes `line` current and selected (-1: none), as a click on it does.
    void setCurrentRow(int line);
    // A text drawn in the list while it has no line (a search that found nothing); empty: none.
    // New lines end it.
    void setPlaceholderText(const QString& text);
    const QString& placeholderText() const { return placeholder_; }

protected:
    void paintEvent(QPaintEvent* event) override;

Q_SIGNALS:
    void currentRowChanged(int line);

private:
    LineModel* model_;
    QString placeholder_;
};

} // namespace wk::controls
