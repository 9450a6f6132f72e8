document.getElementById("description").value = CKEDITOR.instances.description.getData();
