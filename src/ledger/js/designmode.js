// In-place editing of the print preview: the program replaces MODE with
// "on" or "off". Answers the design mode now in force.
(function (mode) {
    document.designMode = mode;
    return document.designMode;
})(MODE);
