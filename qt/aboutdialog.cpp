#include "qt/aboutdialog.h"

#include "qt/picturewidget.h"
#include "qt/qtruntime.h"
#include "qt/windowhints.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace pomvexa {
namespace {

// The etched rule between the description and the buttons: a grey line with a white one a pixel
// lower and to the right.
struct RuleLine {
    QPoint from;
    QPoint to;
    QColor colour;
    int width;
};

const RuleLine ruleLines[] = {
    {{6, 163}, {377, 163}, QColor(0x80, 0x80, 0x80), 1},
    {{7, 164}, {377, 164}, Qt::white, 2},
};

} // namespace

AboutDialog::AboutDialog(QtRuntime& runtime, Registry& registry)
    : WidgetWindow(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , runtime(runtime) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pomvexa"));
    setWindowIcon(faceIcon());
    setGeometry(clientGeometry);
    setFixedSize(clientGeometry.size());
    keepLightColours(this);
    createControls();
    create();
    skipTaskbar(this);

    titleLabel = std::make_unique<LabelControl>(lblTitle);
    versionLabel = std::make_unique<LabelControl>(lblVersion);
    form = std::make_unique<frmAbout>(runtime, registry,
                                      frmAboutControls{*this, *titleLabel, *versionLabel});
    connect(cmdOK, &QPushButton::clicked, this,
            [this] { deliver(this->runtime, *form, &frmAbout::cmdOK_Click); });
    connect(cmdSysInfo, &QPushButton::clicked, this,
            [this] { deliver(this->runtime, *form, &frmAbout::cmdSysInfo_Click); });
    deliver(runtime, *form, &frmAbout::Form_Load);
    fitTexts();
}

AboutDialog::~AboutDialog() = default;

// Later controls lie above earlier ones where they overlap, as they are created.
void AboutDialog::createControls() {
    picIcon = new PictureWidget(faceIconImages(), {36, 36}, this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setAccessibleName(QStringLiteral("Pomvexa"));
    picIcon->QWidget::move(16, 16);
    picIcon->setFocusPolicy(Qt::StrongFocus);

    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(275, 175, 100, 23);
    cmdOK->setDefault(true);

    cmdSysInfo = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(276, 205, 99, 23);

    lblDescription = createLabel(QStringLiteral("用鼠标点击图，点到得1分，默认为难度为中等"),
                                 {70, 75, 259, 78}, "lblDescription");
    lblDescription->setWordWrap(true);
    lblTitle = createLabel(QStringLiteral("Pomvexa"), {70, 16, 259, 32}, "lblTitle");
    lblVersion = createLabel(QStringLiteral("V1.0"), {70, 52, 259, 15}, "lblVersion");
    lblVersion->setPalette(palette()); // the box's own text colour, not the black of the others
    lblDisclaimer = createLabel(QString(), {17, 175, 242, 55}, "lblDisclaimer");

    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    cmdOK->setFocus();
}

QLabel* AboutDialog::createLabel(const QString& text, const QRect& geometry, const char* name) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

// The controls keep their places and sizes; where the desktop's font is too large for a text
// (at 11 points System Info's caption and the version's line no longer fit), that control's
// font shrinks, half a point at a time, until it fits. At the usual sizes nothing changes.
void AboutDialog::fitTexts() {
    const auto fits = [](QWidget* control) {
        if (auto* label = qobject_cast<QLabel*>(control)) {
            const QFontMetrics metrics = label->fontMetrics();
            return label->wordWrap()
                       ? label->heightForWidth(label->width()) <= label->height()
                       : metrics.height() <= label->height() &&
                             metrics.horizontalAdvance(label->text()) <= label->width();
        }
        return control->sizeHint().width() <= control->width();
    };
    for (QWidget* control :
         std::initializer_list<QWidget*>{cmdOK, cmdSysInfo, lblTitle, lblVersion, lblDescription}) {
        QFont font = control->font();
        while (!fits(control) && font.pointSizeF() > 6) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
            control->setFont(font);
        }
    }
}

void AboutDialog::reject() {
    deliver(runtime, *form, &frmAbout::cmdOK_Click);
}

// The close button unloads the box just as OK does.
void AboutDialog::closeEvent(QCloseEvent* event) {
    unloaded = true;
    event->accept();
}

void AboutDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const RuleLine& line : ruleLines) {
        // A pen of even width straddles the pixel edge; half a pixel down keeps it below it.
        const QPointF offset(0, line.width % 2 == 0 ? 0.5 : 0.0);
        painter.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(line.from) + offset, QPointF(line.to) + offset);
    }
}

} // namespace pomvexa
