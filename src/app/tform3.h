#pragma once
// The settings dialog "Yleiset asetukset": five pages of controls bound to
// the Settings object. Every edit takes effect at once; nothing is written
// to disk here.
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class Endpoints;
class Prompts;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTabWidget;
class QUrl;
struct Settings;

class TForm3 final : public QDialog {
    Q_OBJECT
public:
    TForm3(Settings &settings, Prompts &prompts, const QString &dataFolder, const Endpoints &endpoints,
           QWidget *parent = nullptr);

    // Selects a page (0 "Yleiset" .. 4 "Logo"), takes its caption and shows
    // the dialog without waiting for it.
    void openPage(int index);
    // Puts the values of the settings into the controls (after the settings
    // were loaded or restored).
    void loadFromSettings();

    // For tests: how addresses open and how a custom colour is picked.
    void setUrlOpener(std::function<void(const QUrl &)> opener);
    void setColourPicker(std::function<QColor(const QColor &)> picker);

    // Handlers.
    void XiButton1Click();
    void PageControl1Change(int index);
    void Edit1Exit();
    void Edit5Exit();
    void fonttilogoExit();
    void omapalvelinExit();
    void ipohjatExit();
    void kotisivuExit();

    // "Palauta välilehdet käynnistettäessä" (first page): kept by the main
    // window in the session file, not in the settings.
    void setRestoreTabs(bool on);
    bool restoreTabs() const;

signals:
    void restoreTabsToggled(bool on);
    // OK pressed or the dialog closed: the main window enables itself,
    // refreshes the browsers' download options and sets Timer2 from
    // Settings::Timer2.
    void dialogClosed();

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *addPage(const QString &name, const QString &caption, QGridLayout **grid);
    void addOkButton(QWidget *page, QGridLayout *grid, int index);
    QWidget *checkBox(QWidget *page, const char *name, const QString &caption, bool Settings::*field);
    QLineEdit *lineEdit(QWidget *page, const char *name, QString Settings::*field, int maxLength = 0);
    QComboBox *comboBox(QWidget *page, const char *name, const QStringList &items, int Settings::*field);
    QComboBox *colourBox(QWidget *page, const char *name);
    QLabel *linkLabel(QWidget *page, const char *name, const QString &caption, const QString &address);
    void watchExit(QLineEdit *edit, void (TForm3::*check)());
    void buildGeneralPage();
    void buildVsPage();
    void buildPicturePage();
    void buildCounterPage();
    void buildLogoPage();
    void fitTabs();
    void refreshEdits();
    void refreshLogoPreview();
    void colourChosen(QComboBox *box, int index);
    void showColours();

    Settings &m_settings;
    Prompts &m_prompts;
    QString m_dataFolder;
    QString m_helpAddress;
    QString m_serviceAddress;
    QString m_webBase;
    QTabWidget *m_pages;
    QComboBox *m_color1 = nullptr;
    QComboBox *m_colorBox3 = nullptr;
    QLabel *m_apu = nullptr;
    QCheckBox *m_restoreTabs = nullptr;
    std::vector<std::function<void()>> m_loaders;             // settings -> controls
    std::vector<std::pair<QLineEdit *, QString Settings::*>> m_edits;
    std::vector<std::pair<QWidget *, void (TForm3::*)()>> m_exitChecks;
    std::function<void(const QUrl &)> m_openUrl;
    std::function<QColor(const QColor &)> m_pickColour;
};
