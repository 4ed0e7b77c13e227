#include "common/PCloseButton.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>

QPushButton* addCloseButton(QHBoxLayout* row, QWidget* window)
{
    auto* close = new QPushButton(QCoreApplication::translate("CloseButton", "&Zamknij"), window);
    close->setObjectName(QStringLiteral("CloseButton"));
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    row->addStretch();
    row->addWidget(close);
    return close;
}
