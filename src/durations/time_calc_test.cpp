namespace zentrel {}
