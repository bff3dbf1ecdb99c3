#pragma once

#include <QTranslator>
#include <QWidget>

// The defaults dialog. It owns the application's one translator, which
// start-up loads and installs and a language change reloads.
class DefaultConfigView : public QWidget
{
    Q_OBJECT
public:
    explicit DefaultConfigView(QWidget* parent = nullptr);

    static QTranslator translator;
};
