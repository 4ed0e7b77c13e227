#pragma once
// Driving the library windows in tests: finding controls by their captions, typing into
// fields and grid cells the way the operator does, and answering file dialogs.

#include "common/PFileChooser.h"
#include "common/PStringGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <deque>

template <typename Button = QAbstractButton>
Button* buttonWithText(QWidget* parent, const QString& text)
{
    for (Button* b : parent->findChildren<Button*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

inline QGroupBox* groupWithTitle(QWidget* parent, const QString& title)
{
    for (QGroupBox* g : parent->findChildren<QGroupBox*>())
        if (g->title() == title)
            return g;
    return nullptr;
}

// Shows the window and makes it the active one, so focus moves as under the operator's hands.
// The offscreen platform leaves no window active after a modal dialog closed: call it again.
inline bool showActive(QWidget* window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// Check boxes and radio buttons react only on their indicator and caption, at the left.
inline void click(QWidget* widget)
{
    bool checkable = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
    QPoint point = checkable ? QPoint(6, widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, point);
}

// Types any text, Polish letters included, as key presses.
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// Types into a field and leaves it for `next`.
inline void typeAndLeave(QLineEdit* field, const QString& text, QWidget* next)
{
    field->setFocus();
    field->selectAll();
    typeText(field, text);
    next->setFocus();
}

inline QPoint cellCentre(TPStringGrid* grid, int row, int column)
{
    return grid->visualRect(grid->model()->index(row, column)).center();
}

inline void clickCell(TPStringGrid* grid, int row, int column)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
}

// Double-clicks the cell, replaces its text, and presses Enter when asked to.
inline void typeInCell(TPStringGrid* grid, int row, int column, const QString& text, bool enter = true)
{
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
    QLineEdit* editor = grid->editor();
    QVERIFY(editor);
    editor->selectAll();
    typeText(editor, text);
    if (enter)
        QTest::keyClick(editor, Qt::Key_Return);
}

// Answers the file questions in turn instead of a dialog: a path chooses that file, an
// empty one cancels. Installed for the life of the object.
struct FileDialogAnswers {
    std::deque<QString> paths;
    QStringList filters, suffixes, proposedNames, folders;
    QList<QFileDialog::AcceptMode> modes;

    FileDialogAnswers() = default;
    FileDialogAnswers(const FileDialogAnswers&) = delete;
    ~FileDialogAnswers() { vt::setFileChooser({}); }

    void install()
    {
        *this = {};
        vt::setFileChooser([this](QWidget*, const vt::FileRequest& request) { return answer(request); });
    }

private:
    FileDialogAnswers& operator=(FileDialogAnswers&& other) = default;

    QString answer(const vt::FileRequest& request)
    {
        filters << request.filter;
        suffixes << request.defaultSuffix;
        modes << request.mode;
        folders << request.folder;
        proposedNames << request.proposedName;
        QString path = paths.empty() ? QString() : paths.front();
        if (!paths.empty())
            paths.pop_front();
        return path;
    }
};

inline QString writePicture(const QDir& dir, const QString& fileName, QColor colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QString path = dir.filePath(fileName);
    image.save(path, "BMP");
    return path;
}
