#include "widgetvalues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

void setGraphic(QCheckBox* box, QString value)
{
    bool isNumber = false;
    const int number = value.toInt(&isNumber, 10);
    box->setChecked(isNumber && number == 1);
}

void setGraphic(QLineEdit* field, QString value)
{
    field->setText(value);
}

void setGraphic(QComboBox* box, QString value)
{
    const int index = box->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        box->setCurrentIndex(index);
}

QString widgetValue(const QWidget* widget)
{
    if (auto* box = qobject_cast<const QCheckBox*>(widget))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* field = qobject_cast<const QLineEdit*>(widget))
        return field->text();
    if (auto* box = qobject_cast<const QComboBox*>(widget))
        return box->currentText();
    return QString();
}

void setWidgetValue(QWidget* widget, const QString& value)
{
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        setGraphic(box, value);
    else if (auto* field = qobject_cast<QLineEdit*>(widget))
        setGraphic(field, value);
    else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        if (box->isEditable())
            box->setCurrentText(value);
        else
            setGraphic(box, value);
    }
}
