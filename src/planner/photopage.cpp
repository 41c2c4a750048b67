#include "photopage.h"

#include "cameralist.h"
#include "cameras/cameradatabase.h"
#include "optics/numbercheck.h"
#include "photo/photocamera.h"
#include "photo/photoreader.h"
#include "plannerfields.h"
#include "planning/doffigures.h"
#include "presets/cocpresets.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <cmath>

namespace
{

// The photo reader's words, which vorel-calc prints as they are, in the
// user's language: its reasons, with the reason within for a damaged file,
// and the sources of a focus distance.
const char *const ReaderTexts[] = {
    QT_TRANSLATE_NOOP("PhotoReader", "no such file"),
    QT_TRANSLATE_NOOP("PhotoReader", "is a link to nothing"),
    QT_TRANSLATE_NOOP("PhotoReader", "is a folder, not a photo"),
    QT_TRANSLATE_NOOP("PhotoReader", "is a special file (a pipe, socket or device), not a photo"),
    QT_TRANSLATE_NOOP("PhotoReader", "is empty, not a photo"),
    QT_TRANSLATE_NOOP("PhotoReader", "is a video, not a photo"),
    QT_TRANSLATE_NOOP("PhotoReader", "is cut short: the file ends early"),
    QT_TRANSLATE_NOOP("PhotoReader", "is cut short: the image ends early"),
    QT_TRANSLATE_NOOP("PhotoReader", "is not a photo of a kind this program reads"),
    QT_TRANSLATE_NOOP("PhotoReader", "too many boxes"),
    QT_TRANSLATE_NOOP("PhotoReader", "its metadata lies beyond the end of the file"),
    QT_TRANSLATE_NOOP("PhotoReader", "its metadata cannot be read"),
    QT_TRANSLATE_NOOP("PhotoReader", "it cannot be read"),
    QT_TRANSLATE_NOOP("PhotoReader", "a box is cut short"),
    QT_TRANSLATE_NOOP("PhotoReader", "a box has an impossible size"),
    QT_TRANSLATE_NOOP("PhotoReader", "a box reaches beyond the end of the file"),
    QT_TRANSLATE_NOOP("PhotoReader", "a box reaches beyond the box holding it"),
    QT_TRANSLATE_NOOP("PhotoReader", "it has no metadata box"),
    QT_TRANSLATE_NOOP("PhotoReader", "it has no Canon metadata"),
    QT_TRANSLATE_NOOP("PhotoReader", "its Exif item cannot be located"),
    QT_TRANSLATE_NOOP("PhotoReader", "its Exif item lies beyond the end of the file"),
    QT_TRANSLATE_NOOP("PhotoReader", "its Exif item is damaged"),
    QT_TRANSLATE_NOOP("PhotoReader", "subject distance"),
    QT_TRANSLATE_NOOP("PhotoReader", "Canon focus range"),
    QT_TRANSLATE_NOOP("PhotoReader", "Nikon focus distance"),
    QT_TRANSLATE_NOOP("PhotoReader", "Olympus focus distance"),
    QT_TRANSLATE_NOOP("PhotoReader", "Minolta focus distance"),
    QT_TRANSLATE_NOOP("PhotoReader", "Casio object distance"),
    QT_TRANSLATE_NOOP("PhotoReader", "Sony focus position"),
    QT_TRANSLATE_NOOP("PhotoReader", "Apple focus range"),
    QT_TRANSLATE_NOOP("PhotoReader", "Leica focus distance"),
};

// The reasons that carry another within: the words the reader puts around it.
const struct {
    const char *prefix;
    const char *suffix;
    const char *text;
} ReaderFrames[] = {
    {"cannot be read: ", "", QT_TRANSLATE_NOOP("PhotoReader", "cannot be read: %1")},
    {"is cut short or damaged (", ")",
     QT_TRANSLATE_NOOP("PhotoReader", "is cut short or damaged (%1)")},
};

QString readerText(const QString &text)
{
    for (const char *known : ReaderTexts) {
        if (text == QLatin1String(known))
            return QCoreApplication::translate("PhotoReader", known);
    }
    for (const auto &frame : ReaderFrames) {
        const QLatin1String prefix(frame.prefix);
        const QLatin1String suffix(frame.suffix);
        if (text.startsWith(prefix) && text.endsWith(suffix) &&
            text.size() >= prefix.size() + suffix.size())
            return QCoreApplication::translate("PhotoReader", frame.text)
                .arg(readerText(
                    text.mid(prefix.size(), text.size() - prefix.size() - suffix.size())));
    }
    // Words of a library (Qt's file errors are in the user's language
    // already, Exiv2's only in English) stay as they come.
    return text;
}

// The photo's settings through the photo reader, its camera named as the
// camera list names it where the camera database knows it.
PhotoFacts readPhoto(const QString &fileName)
{
    const PhotoReader reader(&CameraList::database());
    const PhotoReader::Result read = reader.read(fileName);
    PhotoFacts facts;
    facts.fileName = fileName;
    if (!read.ok()) {
        facts.problem = readerText(read.reason);
        return facts;
    }
    const PhotoSettings &s = read.settings;
    facts.settings = s;
    if (const auto camera = CameraList::database().byMakeAndModel(s.make, s.model))
        facts.camera = camera->name();
    else
        facts.camera = CameraInfo::displayName(s.make, s.model);
    // What the focus distance is worth: where it came from and, where the
    // maker records a range, the range.
    if (!s.focusSource.isEmpty()) {
        facts.focusWorth = PhotoPage::tr("focus from the %1").arg(readerText(s.focusSource));
        if (!std::isnan(s.focusNear) || !std::isnan(s.focusFar))
            facts.focusWorth =
                PhotoPage::tr("%1, within %2 to %3")
                    .arg(facts.focusWorth,
                         PlannerText::distance(s.focusNear * 1000, PlannerText::Unit::Metres),
                         PlannerText::distance(s.focusFar * 1000, PlannerText::Unit::Metres));
    }
    return facts;
}

using NumberCheck::positiveFinite;

} // namespace

PhotoPage::PhotoPage(QWidget *parent)
    : QWidget(parent), read(readPhoto), settings(PlannerFields::result()),
      dof(PlannerFields::result()), secondSettings(PlannerFields::result()), problem(new QLabel),
      useSettings(new QPushButton(tr("Plan &with these settings"))),
      save(new QPushButton(tr("Sa&ve as project...")))
{
    setAcceptDrops(true);
    auto *openButton = new QPushButton(tr("O&pen photo..."));
    // Enter presses the focused button, as in a dialog.
    for (QPushButton *b : {openButton, useSettings, save})
        b->setAutoDefault(true);
    openButton->setToolTip(tr("Opens a JPEG, TIFF, HEIC or raw photo to read how it was "
                              "taken; up to two are kept."));
    useSettings->setToolTip(tr("Fills the camera, focal length, aperture and range above from "
                               "the latest photo."));
    save->setToolTip(tr("Saves the photos' settings as a project for the Vorel window: the "
                        "latest as camera 1, the one before as camera 2."));
    auto *hint = new QLabel(tr("Open a photo, or drop one here, to see how it was taken."));
    hint->setWordWrap(true);
    auto *form = new QFormLayout;
    PlannerFields::addRow(form, tr("Photo settin&gs"), tr("Photo settings"), settings);
    PlannerFields::addRow(form, tr("Photo depth of fi&eld"), tr("Photo depth of field"), dof);
    PlannerFields::addRow(form, tr("Secon&d photo"), tr("Second photo"), secondSettings);
    problem->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(openButton);
    buttons->addWidget(useSettings);
    buttons->addStretch();
    buttons->addWidget(save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addWidget(problem);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(openButton, &QPushButton::clicked, this, &PhotoPage::askOpen);
    connect(save, &QPushButton::clicked, this, &PhotoPage::askSave);
    connect(useSettings, &QPushButton::clicked, this, [this] {
        if (!opened.isEmpty())
            emit settingsChosen(opened.last());
    });
    showPhotos();
}

void PhotoPage::setInputs(const PlannerInputs &newInputs)
{
    inputs = newInputs;
    showPhotos();
}

bool PhotoPage::open(const QString &fileName)
{
    const PhotoFacts facts = read(fileName);
    if (!facts.problem.isEmpty()) {
        problem->setText(
            tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(fileName), facts.problem));
        return false;
    }
    if (!positiveFinite(facts.flength()) || !positiveFinite(facts.fNumber())) {
        problem->setText(tr("%1 does not say which focal length and f-number it was taken with.")
                             .arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    opened.append(facts);
    if (opened.size() > 2)
        opened.removeFirst();
    problem->clear();
    showPhotos();
    return true;
}

double PhotoPage::cocOf(const PhotoFacts &photo) const
{
    return positiveFinite(photo.diagonal()) ? CocPresets::cocFromCropFactor(photo.diagonal())
                                            : inputs.coc;
}

QString PhotoPage::describe(const PhotoFacts &photo) const
{
    QString text =
        tr("%1 mm at %2")
            .arg(PlannerText::number(photo.flength(), 4), PlannerText::fNumber(photo.fNumber()));
    if (photo.hasFocus())
        text = tr("%1, focused at %2").arg(text, PlannerText::distance(photo.focus(), inputs.unit));
    if (!photo.focusWorth.isEmpty())
        text = tr("%1 (%2)").arg(text, photo.focusWorth);
    if (!photo.camera.isEmpty())
        text = tr("%1, %2").arg(photo.camera, text);
    return text;
}

void PhotoPage::showPhotos()
{
    useSettings->setEnabled(!opened.isEmpty());
    save->setEnabled(!opened.isEmpty());
    if (opened.isEmpty()) {
        settings->setText(tr("no photo"));
        dof->setText(tr("no photo"));
        secondSettings->setText(tr("no photo"));
        return;
    }
    const PhotoFacts &latest = opened.last();
    settings->setText(describe(latest));
    settings->setCursorPosition(0);
    if (latest.hasFocus() && latest.focus() > latest.flength()) {
        const double coc = cocOf(latest);
        const DofFigures f = DofFigures::limits(latest.flength(), latest.fNumber(),
                                                latest.focusForLens(), coc, false);
        dof->setText(tr("%1 to %2 (CoC %3 mm)")
                         .arg(PlannerText::distance(f.nearLimit, inputs.unit),
                              PlannerText::distance(f.farLimit, inputs.unit),
                              PlannerText::number(coc, 3)));
    } else {
        dof->setText(tr("unknown: the photo does not say where it was focused"));
    }
    secondSettings->setText(opened.size() > 1 ? describe(opened.first()) : tr("no photo"));
}

PhotoCamera PhotoPage::cameraOf(const PhotoFacts &photo) const
{
    return PhotoCamera::from(photo.settings, cocOf(photo));
}

ProjectFile PhotoPage::project(QStringList *notes) const
{
    // The latest photo, shown first, is camera 1; the one before it, shown
    // as the second photo, camera 2.
    QList<NamedPhotoCamera> cameras;
    for (qsizetype i = opened.size() - 1; i >= 0; --i)
        cameras.append({QFileInfo(opened[i].fileName).fileName(), cameraOf(opened[i])});
    return PhotoCamera::project(cameras, notes);
}

bool PhotoPage::saveProject(const QString &fileName, QString *whyNot) const
{
    if (opened.isEmpty()) {
        *whyNot = tr("There is no photo to save.");
        return false;
    }
    QSaveFile file(fileName);
    QStringList notes;
    const ProjectFile p = project(&notes);
    if (!file.open(QIODevice::WriteOnly) || !p.write(file) || !file.commit()) {
        *whyNot = file.errorString().isEmpty() ? p.errorString() : file.errorString();
        return false;
    }
    // What the photos did not give stays as the window starts: said.
    problem->setText(
        notes.isEmpty()
            ? QString()
            : tr("Saved; as the window starts: %1").arg(notes.join(QStringLiteral("; "))));
    return true;
}

void PhotoPage::showNote(const QString &note)
{
    problem->setText(note);
}

void PhotoPage::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PhotoPage::dropEvent(QDropEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            open(url.toLocalFile());
    }
    event->acceptProposedAction();
}

void PhotoPage::askOpen()
{
    const QString name = QFileDialog::getOpenFileName(
        this, tr("Open photo"), QDir::homePath(),
        tr("Photos (*.jpg *.jpeg *.tif *.tiff *.dng *.cr2 *.cr3 *.nef *.arw *.orf *.rw2 *.raf "
           "*.pef);;All files (*)"));
    if (!name.isEmpty())
        open(name);
}

void PhotoPage::askSave()
{
    QString name = QFileDialog::getSaveFileName(this, tr("Save as project"), QDir::homePath(),
                                                tr("Vorel projects (*.vlp)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".vlp");
    QString whyNot;
    if (!saveProject(name, &whyNot))
        QMessageBox::warning(
            this, tr("Vorel Planner"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(name), whyNot));
}
