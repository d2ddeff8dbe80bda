#include "platform/desktop/clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace velmor {

namespace {

// Reads of the text we put on the clipboard by anyone but us.
int othersReads = 0;
bool readingOurselves = false;

// Text that counts who reads it.
class WatchedText : public QMimeData {
  protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        if (!readingOurselves) ++othersReads;
        return QMimeData::retrieveData(mimeType, type);
    }
};

}  // namespace

void PutTextOnClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return;
    clipboard->clear();
    auto* data = new WatchedText;
    data->setText(text);
    // Qt offers this type on Wayland alongside text/plain but serves it
    // empty; GTK programs and GNOME's clipboard ask for it first.
    data->setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
    othersReads = 0;
    clipboard->setMimeData(data);
}

QString ClipboardText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    readingOurselves = true;
    const QString text = clipboard != nullptr ? clipboard->text() : QString();
    readingOurselves = false;
    return text;
}

bool WaitUntilClipboardRead(int ms) {
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    while (othersReads == 0 && waited.elapsed() < ms) {
        loop.processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return othersReads > 0;
}

void ReadClipboardText(QObject* context, std::function<void(const ClipboardRead&)> done) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        done({ClipboardText(), {}});
        return;
    }
    auto* helper = new QProcess(context);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    helper->setProcessEnvironment(environment);
    helper->setProgram(QCoreApplication::applicationFilePath());
    helper->setArguments({QString::fromLatin1(kReadClipboardOption)});
    auto answer = std::make_shared<std::function<void(const ClipboardRead&)>>(std::move(done));
    const auto once = [helper, answer](const ClipboardRead& read) {
        if (!*answer) return;
        const auto give = std::move(*answer);
        *answer = nullptr;
        helper->deleteLater();
        give(read);
    };
    QTimer::singleShot(1000, helper, [helper, once] {
        helper->kill();
        once({{}, QObject::tr("the program that holds it did not answer within a second")});
    });
    QObject::connect(helper, &QProcess::finished, helper, [helper, once](int status) {
        if (status == 0) {
            once({QString::fromUtf8(helper->readAllStandardOutput()), {}});
        } else {
            once({{}, QObject::tr("its text could not be read")});
        }
    });
    QObject::connect(helper, &QProcess::errorOccurred, helper,
                     [once](QProcess::ProcessError error) {
                         // Without the helper, the clipboard is read here.
                         if (error == QProcess::FailedToStart) once({ClipboardText(), {}});
                     });
    helper->start();
}

int PrintClipboardText(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    std::fputs(ClipboardText().toUtf8().constData(), stdout);
    return 0;
}

}  // namespace velmor
