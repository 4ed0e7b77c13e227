#pragma once
// The device editor: a list of eleven pages on the left, the selected page on the right.
// Every page writes into the working copy of the device type as the operator works; the
// caller decides what becomes of the copy when the editor closes with "OK".

#include "library/Device.h"

#include <QDialog>
#include <QWidget>

#include <array>
#include <mutex>

class KyColorMixerEdit;
class KyDimmerEdit;
class KyDimmersEdit;
class KyEditChValue;
class KyGoboEdit;
class KyPanTiltEdit;
class KyShutterEdit;
class KyStrobeEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QUndoStack;
class QVBoxLayout;

// One page of the editor, under its heading.
class TDevFrame : public QWidget {
    Q_OBJECT
public:
    TDevFrame(KyDevice& device, const QString& heading, QWidget* parent);
    // Shows the working copy's blocks again.
    virtual void refresh() = 0;

protected:
    QVBoxLayout* body() const { return body_; }

    KyDevice& device_;

private:
    QVBoxLayout* body_;
};

// Name, description, icon and reset list.
class TDevGeneralFrame : public TDevFrame {
    Q_OBJECT
public:
    TDevGeneralFrame(KyDevice& device, QWidget* parent);
    void refresh() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void IconButtonClick();
    void showIcon();

    QLineEdit* name_;
    QPlainTextEdit* description_;
    QLabel* icon_;
    KyEditChValue* reset_;
};

// Shutter, intensity, strobe, blackout and lamp lists.
class TDevLightFrame : public TDevFrame {
    Q_OBJECT
public:
    TDevLightFrame(KyDevice& device, QWidget* parent);
    void refresh() override;

private:
    KyShutterEdit* shutter_;
    KyDimmerEdit* intensity_;
    KyStrobeEdit* strobe_;
    std::array<KyEditChValue*, 3> lists_;
};

class TDevPanTiltFrame : public TDevFrame {
    Q_OBJECT
public:
    TDevPanTiltFrame(KyDevice& device, QWidget* parent);
    void refresh() override;

private:
    KyPanTiltEdit* panTilt_;
};

class TDevMixerFrame : public TDevFrame {
    Q_OBJECT
public:
    TDevMixerFrame(KyDevice& device, QWidget* parent);
    void refresh() override;

private:
    KyColorMixerEdit* mixer_;
};

class TDevOpticFrame : public TDevFrame {
    Q_OBJECT
public:
    TDevOpticFrame(KyDevice& device, QWidget* parent);
    void refresh() override;

private:
    std::array<KyDimmerEdit*, 4> optics_;
};

// One of the five wheels; leaving the page puts its slots in value order.
class TDevWheelFrame : public TDevFrame {
    Q_OBJECT
public:
    TDevWheelFrame(KyDevice& device, KyGobo& wheel, const QString& heading, const QString& paletteCaption,
                   QWidget* parent);
    ~TDevWheelFrame() override;
    void refresh() override;

private:
    void focusMoved(QWidget* old, QWidget* now);

    KyGoboEdit* wheel_;
    QMetaObject::Connection focusWatch_;
};

class TDevDimmersFrame : public TDevFrame {
    Q_OBJECT
public:
    TDevDimmersFrame(KyDevice& device, QWidget* parent);
    void refresh() override;

private:
    KyDimmersEdit* dimmers_;
};

class TDeviceForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int pageCount = 11;

    TDeviceForm(KyDevice& device, QWidget* owner);

    QListWidget* pageList() const { return pageList_; }
    QStackedWidget* pageArea() const { return pageArea_; }
    TDevFrame* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    // The edits of the working copy: what changed by each press and release, key or field
    // left is one step.
    QUndoStack* undoStack() const { return undo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PageListChange(int row);
    void OkButtonClick();
    void commitEdit();

    KyDevice& device_;
    // The working copy as the last step left it.
    KyDevice marked_;
    // The copy is the editor's own: the steps' lock guards nothing the tick sees.
    std::mutex copyLock_;
    QUndoStack* undo_;
    QListWidget* pageList_;
    QStackedWidget* pageArea_;
    std::array<TDevFrame*, pageCount> pages_{};
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
