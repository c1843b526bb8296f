#pragma once

class CDiffDoc;
class CDiffView;

// The content at a comparison pane's reading line, as a line of one of the
// two files, so that the same content can be brought back to the reading
// line after the layout changes or the files are compared again.
class CReadingPlace
{
public:
    // Nothing is kept when the pane shows no text comparison.
    static CReadingPlace Take(const CDiffDoc& doc, const CDiffView& view);

    bool IsValid() const { return side_ >= 0; }
    int Side() const { return side_; }
    double Line() const { return line_; }

    // Brings the place to the reading line of a pane, composite or of
    // either side; false, and the pane left as it is, when the place is no
    // longer in the files.
    bool RestoreIn(const CDiffDoc& doc, CDiffView& view) const;

private:
    int side_ = -1;
    double line_ = 0;
};
