#pragma once
#include <QMainWindow>

class QWebEngineView;

// The main window: owns the tabs, menus, panels and feature objects.
class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);

private:
    QWebEngineView *m_view;
};
