#pragma once

#include <QHash>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

// Values of option widgets as the settings file keeps them.

// Checks the box exactly when `value` reads as the integer 1.
void setGraphic(QCheckBox* box, QString value);
void setGraphic(QLineEdit* field, QString value);
// Selects the first item whose text is `value`; keeps the selection when none is.
void setGraphic(QComboBox* box, QString value);

// The value of a check box ("1"/"0"), line edit or combo box; an editable
// combo box gives its free text.
QString widgetValue(const QWidget* widget);
// Puts `value` into a check box, line edit or combo box; an editable combo
// box takes any text.
void setWidgetValue(QWidget* widget, const QString& value);

// The VLconfig values of a server tab's form, by key, each read from the
// option widget that holds it.
QHash<QString, QString> formValues(const QWidget* form);
// Puts the value of VLconfig key `key` into its widget of `form`; an unknown
// key changes nothing.
void setFormValue(QWidget* form, const QString& key, const QString& value);
