CKEDITOR.instances.description.focus(); CKEDITOR.instances.description.insertHtml(%1);
