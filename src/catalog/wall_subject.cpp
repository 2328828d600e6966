#include "catalog/wall_subject.h"

namespace paperkit {

std::unique_ptr<TWallSubject> TWallSubject::Clone() const {
    auto copy = std::make_unique<TWallSubject>();
    copy->Id = Id;
    copy->Desc = Desc;
    copy->Remark = Remark;
    copy->Category = Category;
    copy->Total = Total;
    copy->Counts = Counts;
    copy->Date = Date;
    copy->LocalPath = LocalPath;
    copy->FileName = FileName;
    copy->GoURL = GoURL;
    copy->SizeType = SizeType;
    copy->SizeList = SizeList;
    copy->Author = Author;
    copy->CRC = CRC;
    copy->WebPath = WebPath;
    copy->Downloaded = Downloaded;
    copy->Download = Download;
    copy->Size = Size;
    copy->InWallList = InWallList;
    // The picture's copied Subject is replaced by the new album as it is added.
    for (const TWallImage& image : Images)
        copy->Images.Add(std::make_unique<TWallImage>(image));
    return copy;
}

TWallSubject* TWallSubjects::Find(int id) const {
    return FindIf([id](const TWallSubject& s) { return s.Id == id; });
}

TWallImage* TWallSubjects::FindImage(int id, int no) const {
    const TWallSubject* subject = Find(id);
    return subject ? subject->Images.Find(no) : nullptr;
}

void TWallSubjects::Assign(const TWallSubjects& other) {
    if (&other == this)
        return;
    Clear();
    for (const TWallSubject& subject : other)
        Add(subject.Clone());
}

} // namespace paperkit
