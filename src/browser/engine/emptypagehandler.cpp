#include "browser/engine/emptypagehandler.h"
#include <QBuffer>
#include <QWebEngineUrlRequestJob>

EmptyPageHandler::EmptyPageHandler(QObject *parent) : QWebEngineUrlSchemeHandler(parent) {}

void EmptyPageHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    auto *buffer = new QBuffer(job);
    buffer->setData(QByteArrayLiteral("<html><head></head><body></body></html>"));
    buffer->open(QIODevice::ReadOnly);
    job->reply(QByteArrayLiteral("text/html"), buffer);
}
