#include "ui/widgets/accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>

#include "core/color_names.h"

namespace velmor {

namespace {

// A TextLine to a reader: its text as one run without attributes.
class TextLineAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit TextLineAccessible(TextLine* line)
        : QAccessibleWidget(line, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return Line()->text();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = Line()->isReadOnly();
        s.editable = !s.readOnly;
        s.selectableText = true;
        return s;
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !Line()->hasSelectedText()) return;
        *start = Line()->selectionStart();
        *end = *start + Line()->selectionLength();
    }
    int selectionCount() const override { return Line()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) Line()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) Line()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return Line()->cursorPosition(); }
    void setCursorPosition(int position) override { Line()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return Line()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Line()->text().size()); }
    QRect characterRect(int offset) const override {
        // Measured from the caret, the one place the line edit tells.
        const QLineEdit* line = Line();
        const QFontMetrics metrics(line->font());
        const QString text = line->text();
        const QRect caret = line->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int left = caret.left() -
                         metrics.horizontalAdvance(text.left(line->cursorPosition())) +
                         metrics.horizontalAdvance(text.left(offset));
        const QRect r(left, caret.top(), metrics.horizontalAdvance(text.mid(offset, 1)),
                      metrics.height());
        return QRect(line->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Line()->cursorPositionAt(Line()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { Line()->setCursorPosition(start); }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return QString();
    }

  private:
    QLineEdit* Line() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* RoleFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    // Only our own classes, asked by their own name: Qt's classes keep Qt's roles.
    if (widget == nullptr || className != QLatin1String(object->metaObject()->className()) ||
        !className.startsWith(QLatin1String("velmor::"))) {
        return nullptr;
    }
    if (auto* line = qobject_cast<TextLine*>(widget)) return new TextLineAccessible(line);
    if (qobject_cast<Announcement*>(widget) != nullptr) {
        return new QAccessibleWidget(widget, QAccessible::Notification);
    }
    if (widget->isWindow() && qobject_cast<QDialog*>(widget) == nullptr) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    if (object->metaObject()->superClass() == &QFrame::staticMetaObject) {
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    }
    return nullptr;
}

}  // namespace

Announcement::Announcement(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("announcement"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
    pause_.setSingleShot(true);
    pause_.setInterval(300);
    connect(&pause_, &QTimer::timeout, this, [this] {
        hide();
        setAccessibleName(text_);
        show();
    });
}

void Announcement::Say(const QString& text) {
    text_ = text;
    pause_.start();
}

void InstallAccessibleRoles() {
    QAccessible::installFactory(RoleFactory);
}

void Announce(QWidget* near, const QString& text) {
    if (near == nullptr || text.isEmpty()) return;
    QWidget* window = near->window();
    auto* announcement = window->findChild<Announcement*>(QString(), Qt::FindDirectChildrenOnly);
    if (announcement == nullptr) announcement = new Announcement(window);
    announcement->Say(text);
}

QString SpokenColor(const Color& color) {
    return QString::fromStdString(DescribeByName(color)) + QStringLiteral(", ") +
           QString::fromStdString(color.Html());
}

}  // namespace velmor
