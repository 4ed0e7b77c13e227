#pragma once
// Driving the cue editor's drop-down lists and the name dialog in tests.

#include "common/Fname.h"
#include "library/LibraryUiSupport.h"
#include "support/ModalAnswerer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

// Picks an item the way the operator does: opens the list and clicks the item.
inline void choose(QComboBox* list, int index)
{
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    view->scrollTo(view->model()->index(index, 0));
    // The item may reach wider than the list shows it.
    const QPoint at(view->viewport()->width() / 2, view->visualRect(view->model()->index(index, 0)).center().y());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!view->isVisible());
}

// Answers the name dialog with `name`; an empty name cancels it. `shown` receives the name
// the dialog proposed.
inline void answerNameDialog(ModalAnswerer& answerer, const QString& name, QString* shown = nullptr)
{
    answerer.onDialog([name, shown](QDialog* dialog) {
        auto* names = qobject_cast<TNameForm*>(dialog);
        if (!names)
            return dialog->reject();
        if (shown)
            *shown = names->nameEdit()->text();
        if (name.isEmpty())
            return names->cancelButton()->click();
        names->nameEdit()->selectAll();
        typeText(names->nameEdit(), name);
        names->okButton()->click();
    });
}
