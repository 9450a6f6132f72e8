#pragma once
// Qt's own texts in Finnish: the translations Qt ships for its dialogs and
// a few texts those translations lack (the file dialog's "Folder").
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

    QCoreApplication *m_app;
    QTranslator m_qt;
    Supplement m_supplement;
};
