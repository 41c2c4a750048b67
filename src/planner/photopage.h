#ifndef PHOTOPAGE_H
#define PHOTOPAGE_H

#include "photo/photocamera.h"
#include "photofacts.h"
#include "plannerinputs.h"
#include "project/projectfile.h"

#include <QVector>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// A photo's settings and depth of field, opened by the file dialog or
// dropped on the page; its settings can fill the common inputs, and one or
// two photos make a project for the main window.
class PhotoPage : public QWidget
{
    Q_OBJECT

public:
    using Reader = std::function<PhotoFacts(const QString &fileName)>;

    explicit PhotoPage(QWidget *parent = nullptr);

    void setReader(Reader reader) { read = std::move(reader); }
    void setInputs(const PlannerInputs &inputs);

    // Reads a photo and shows it; the two most recent photos are kept. On
    // failure nothing changes and the page says why.
    bool open(const QString &fileName);
    const QVector<PhotoFacts> &photos() const { return opened; }

    // The project of the photos kept, as the main window opens it: the
    // first is camera 1, a second one camera 2; the rest is as the window
    // starts.
    // notes, if given, names per camera what the photo lacked.
    ProjectFile project(QStringList *notes = nullptr) const;
    bool saveProject(const QString &fileName, QString *whyNot) const;

    QLineEdit *settingsField() const { return settings; }
    QLineEdit *dofField() const { return dof; }
    QLineEdit *secondField() const { return secondSettings; }
    QLabel *problemLabel() const { return problem; }
    // Shows a line under the photos (what planning could not take).
    void showNote(const QString &note);

signals:
    // The user asked to plan with the latest photo's settings.
    void settingsChosen(const PhotoFacts &photo);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void askOpen();
    void askSave();
    void showPhotos();
    // The CoC a photo is judged by: its camera's by the crop-factor rule,
    // or the common one where the photo names no known sensor.
    double cocOf(const PhotoFacts &photo) const;
    PhotoCamera cameraOf(const PhotoFacts &photo) const;
    QString describe(const PhotoFacts &photo) const;

    Reader read;
    PlannerInputs inputs;
    QVector<PhotoFacts> opened;
    QLineEdit *settings;
    QLineEdit *dof;
    QLineEdit *secondSettings;
    QLabel *problem;
    QPushButton *useSettings;
    QPushButton *save;
};

#endif // PHOTOPAGE_H
