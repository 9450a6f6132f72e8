(function () { var s = CKEDITOR.instances.description.getData(); CKEDITOR.instances.description.setData(s + %1); })();
