#include "common/PCloseButton.h"

#include <QHBoxLayout>
#include <QPushButton>

QPushButton* addCloseButton(QHBoxLayout* row, QWidget* window)
{
    auto* close = new QPushButton(QStringLiteral("&Zamknij"), window);
    close->setObjectName(QStringLiteral("CloseButton"));
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    row->addStretch();
    row->addWidget(close);
    return close;
}
