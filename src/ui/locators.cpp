#include "ui/locators.h"

#include <QChar>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>

#include "platform/text.h"
#include "platform/value.h"

namespace bb {

namespace {

QString toQString(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string fromQString(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

bool isBlank(const Value& v) {
    return v.isText() ? text::isBlank(v.asText()) : v.asNumber().isZero();
}

}  // namespace

// -------------------------------------------------------------------- Locator

void Locator::Setup(QLineEdit* control, RecordField freeElement, bool noCase,
                    LocatorBrowse* browse) {
    CONTROL = control;
    FREEELEMENT = freeElement;
    NOCASE = noCase;
    VIEWMANAGER = browse;
}

void Locator::Teardown() {}

void Locator::Reset() {}

void Locator::Clear() {}

void Locator::ArmKeys(QWidget*) {}

bool Locator::OnAccepted(const QWidget*) {
    return false;
}

bool Locator::OnKey(const QKeyEvent&) {
    return false;
}

void Locator::RefreshControls() {}

void Locator::UpdateEnabled(int rows) {
    if (CONTROL) CONTROL->setEnabled(rows > 0);
}

char32_t Locator::typedCharacter(const QKeyEvent& key) {
    const QList<uint> chars = key.text().toUcs4();
    if (chars.isEmpty()) return 0;
    const auto c = static_cast<char32_t>(chars.front());
    return QChar::isPrint(c) ? c : 0;
}

// ----------------------------------------------------------- KeystrokeLocator

bool KeystrokeLocator::OnKey(const QKeyEvent& key) {
    const char32_t typed = typedCharacter(key);
    if (typed == 0) return false;
    bool result = false;
    if (VIEWMANAGER && VIEWMANAGER->RowCount() > 0) {
        VIEWMANAGER->SelectNextRow();
        result = true;
    }
    if (!FREEELEMENT.record) return result;

    // Pressing the same letter again steps to the next record that begins
    // with it, as long as there is one.
    const std::string current = FREEELEMENT.record->get(FREEELEMENT.field).toText();
    if (!current.empty()) {
        std::size_t i = 0;
        const char32_t first = text::decode(current, i);
        const bool same = NOCASE ? text::upperOf(first) == text::upperOf(typed) : first == typed;
        if (same) return result;
    }
    // A new letter: the browse positions at the first record at or after it.
    // A number field refuses a letter and keeps its value.
    std::string alone;
    text::append(alone, typed);
    (void)FREEELEMENT.record->set(FREEELEMENT.field, Value::text(alone));
    return true;
}

// --------------------------------------------------------------- TypedLocator

TypedLocator::~TypedLocator() {
    unbind();
}

void TypedLocator::Setup(QLineEdit* control, RecordField freeElement, bool noCase,
                         LocatorBrowse* browse) {
    unbind();
    Locator::Setup(control, freeElement, noCase, browse);
    if (!CONTROL) return;
    CONTROL->setMaxLength(static_cast<int>(kShadowWidth));
    CONTROL->setText(toQString(SHADOW));
    binding_ = QObject::connect(CONTROL, &QLineEdit::textChanged, [this](const QString& typed) {
        SHADOW = text::cut(fromQString(typed), kShadowWidth);
    });
}

void TypedLocator::unbind() {
    if (binding_) QObject::disconnect(binding_);
    binding_ = {};
}

void TypedLocator::Teardown() {
    unbind();
    Locator::Teardown();
}

void TypedLocator::Clear() {
    SHADOW.clear();
    if (FREEELEMENT.record) FREEELEMENT.record->clearField(FREEELEMENT.field);
    Set();
}

bool TypedLocator::OnAccepted(const QWidget* accepted) {
    if (!CONTROL || accepted != CONTROL) return false;
    SHADOW = text::cut(fromQString(CONTROL->text()), kShadowWidth);
    if (!FREEELEMENT.record) return false;
    // A number field refuses a text that is not a number and keeps its value.
    (void)FREEELEMENT.record->set(FREEELEMENT.field, Value::text(SHADOW));
    return !isBlank(FREEELEMENT.record->get(FREEELEMENT.field));
}

bool TypedLocator::OnKey(const QKeyEvent& key) {
    const char32_t typed = typedCharacter(key);
    if (typed == 0 || !CONTROL || !CONTROL->isEnabled()) return false;
    CONTROL->setFocus();
    CONTROL->insert(QString::fromUcs4(&typed, 1));
    return true;
}

void TypedLocator::RefreshControls() {
    display();
}

void TypedLocator::Set() {
    if (FREEELEMENT.record) (void)FREEELEMENT.record->set(FREEELEMENT.field, Value::text(SHADOW));
    display();
}

void TypedLocator::display() {
    if (!CONTROL) return;
    // The binding keeps SHADOW equal to what is being typed, so redisplaying
    // mid-entry changes nothing and leaves the cursor where it is.
    const QString shown = toQString(SHADOW);
    if (CONTROL->text() != shown) CONTROL->setText(shown);
}

}  // namespace bb
