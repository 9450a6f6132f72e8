CKEDITOR.instances.description.setData(%1);
