// placeholder: filled in as the work lands
