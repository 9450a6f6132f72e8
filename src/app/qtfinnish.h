#pragma once
// Qt's own texts in Finnish: the translations Qt ships for its dialogs, a
// few texts those translations lack (the file dialog's "Folder"), and the
// file dialogs' dates and sizes, which Qt writes in the system locale (read
// while the libraries load, before the program can choose it) instead of
// the program's Finnish one.
#include <QObject>
#include <QTranslator>

class QCoreApplication;

class QtFinnish final {
public:
    // Installs the translations; they stay while this object lives.
    explicit QtFinnish(QCoreApplication *app);
    ~QtFinnish();
    QtFinnish(const QtFinnish &) = delete;
    QtFinnish &operator=(const QtFinnish &) = delete;

private:
    // The texts Qt's Finnish translation lacks.
    class Supplement final : public QTranslator {
    public:
        QString translate(const char *context, const char *sourceText, const char *disambiguation,
                          int n) const override;
        bool isEmpty() const override { return false; }
    };

    // Gives every file dialog columns written in the program's locale.
    class FileDialogs final : public QObject {
    public:
        bool eventFilter(QObject *watched, QEvent *event) override;
    };

    QCoreApplication *m_app;
    QTranslator m_qt;
    Supplement m_supplement;
    FileDialogs m_fileDialogs;
};
